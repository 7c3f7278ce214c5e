#pragma once
// Conversions between the program's text forms: UTF-16 for everything shown
// through the wide APIs, GBK (code page 936) for the bytes the program
// defines itself (URLs, history slots, the clipboard length rule), and UTF-8
// for the portable core's captions. GBK is fixed, whatever the system code page.
#include <string>
#include <string_view>

namespace quorvex::tk {

constexpr unsigned GbkCodePage = 936;

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
std::wstring GbkToWide(std::string_view gbk);
// Characters GBK cannot hold become '?', as the system's own conversion does.
std::string WideToGbk(std::wstring_view wide);

}  // namespace quorvex::tk
