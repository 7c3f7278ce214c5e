#include "search/run_search_win.h"

#include <windows.h>
#include <shellapi.h>

#include "search/query_encoding.h"
#include "search/query_url.h"
#include "search/search_engine.h"
#include "toolkit/text.h"

namespace quorvex {
namespace {

// The hourglass while the shell works; the default arrow afterwards, on every path.
class BusyCursor {
public:
    BusyCursor() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }
    ~BusyCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// GBK through the system's code page 936 tables. Exact means no default
// character, no best-fit mapping, and the bytes convert back to the same text.
class SystemGbkCodec final : public GbkCodec {
public:
    std::optional<std::string> ToGbkExact(std::u16string_view text) const override {
        if (text.empty()) return std::string();
        const std::wstring wide(text.begin(), text.end());
        const int units = static_cast<int>(wide.size());
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(tk::GbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0,
                                          nullptr, &usedDefault);
        if (n <= 0 || usedDefault) return std::nullopt;
        std::string gbk(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(tk::GbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), units, gbk.data(), n, nullptr,
                            &usedDefault);
        if (usedDefault || tk::GbkToWide(gbk) != wide) return std::nullopt;
        return gbk;
    }
    std::u16string FromGbk(std::string_view gbk) const override {
        const std::wstring wide = tk::GbkToWide(gbk);
        return std::u16string(wide.begin(), wide.end());
    }
};

}  // namespace

bool RunSearch(const TSearchEngine& engine, std::string_view key, const std::wstring& query) {
    const std::u16string text(query.begin(), query.end());
    const SystemGbkCodec codec;
    const auto url = BuildQueryUrl(engine, key, text, codec);
    if (!url) return false;
    BusyCursor busy;
    // The URL is plain ASCII by construction, so the ANSI call sees it exactly.
    HINSTANCE result = ShellExecuteA(nullptr, "open", url->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace quorvex
