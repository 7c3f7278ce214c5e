#include "toolkit/text.h"

#include <windows.h>

#include <climits>

#include "base/error.h"
#include "base/system_error_win.h"

namespace quorvex::tk {
namespace {

std::wstring ToWide(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    if (bytes.size() > INT_MAX) throw RangeError("Text too long");
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) ThrowLastError("Text conversion failed");
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string FromWide(unsigned codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    if (wide.size() > INT_MAX / 4) throw RangeError("Text too long");
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) ThrowLastError("Text conversion failed");
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }
std::wstring GbkToWide(std::string_view gbk) { return ToWide(GbkCodePage, gbk); }
std::string WideToGbk(std::wstring_view wide) { return FromWide(GbkCodePage, wide); }

}  // namespace quorvex::tk
