// Display names of keyboard layouts, read from the layout's registry key.
#include <gtest/gtest.h>

#include <windows.h>

#include "bar/ime_win.h"

namespace quorvex {
namespace {

constexpr wchar_t LayoutsKey[] = L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\";

void WriteLayout(const wchar_t* id, const wchar_t* text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(LayoutsKey) + id).c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"Layout Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

TEST(ImeLayouts, DisplayNameComesFromTheKeyOfTheLayoutsLow32Bits) {
    // An input-method layout: upper-case hex digits, all eight of them.
    WriteLayout(L"E00E0804", L"中文 - 测试输入法");
    WriteLayout(L"0000F00F", L"Test layout");
    EXPECT_EQ(TImeSwitcher::LayoutDisplayName(reinterpret_cast<HKL>(static_cast<INT_PTR>(0xE00E0804u))),
              L"中文 - 测试输入法");
    // On 64-bit Windows the handle of such a layout is sign-extended; the key
    // is still named by the low 32 bits.
    EXPECT_EQ(
        TImeSwitcher::LayoutDisplayName(reinterpret_cast<HKL>(static_cast<INT_PTR>(static_cast<int>(0xE00E0804u)))),
        L"中文 - 测试输入法");
    EXPECT_EQ(TImeSwitcher::LayoutDisplayName(reinterpret_cast<HKL>(static_cast<INT_PTR>(0xF00F))), L"Test layout");
    EXPECT_EQ(TImeSwitcher::LayoutDisplayName(reinterpret_cast<HKL>(static_cast<INT_PTR>(0x7777))), L"");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(LayoutsKey) + L"E00E0804").c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(LayoutsKey) + L"0000F00F").c_str());
}

}  // namespace
}  // namespace quorvex
