#include "search/gbk_codec_win.h"

#include <windows.h>

#include "toolkit/text.h"

namespace quorvex {

std::optional<std::string> SystemGbkCodec::ToGbkExact(std::u16string_view text) const {
    if (text.empty()) return std::string();
    const std::wstring wide(text.begin(), text.end());
    const int units = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(tk::GbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string gbk(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(tk::GbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), units, gbk.data(), n, nullptr,
                        &usedDefault);
    if (usedDefault || tk::GbkToWide(gbk) != wide) return std::nullopt;
    return gbk;
}

std::u16string SystemGbkCodec::FromGbk(std::string_view gbk) const {
    const std::wstring wide = tk::GbkToWide(gbk);
    return std::u16string(wide.begin(), wide.end());
}

}  // namespace quorvex
