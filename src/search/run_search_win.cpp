#include "search/run_search_win.h"

#include <windows.h>
#include <shellapi.h>

#include "search/query_encoding.h"
#include "search/gbk_codec_win.h"
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
