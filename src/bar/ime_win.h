#pragma once
// Switching the input method for the query box: the maker's pinyin layout is
// activated and opened when the box gets the focus, and the layout the
// program started with comes back when it loses the focus. Only on systems
// with a double-byte character set.
#include <windows.h>

#include <string>
#include <vector>

namespace quorvex {

// The keyboard layout of the maker's pinyin input method, by display name.
constexpr const wchar_t* PinyinLayoutName = L"中文 - CorvalisV6";

class TImeSwitcher {
public:
    TImeSwitcher();

    // The box `edit` got the focus; `autoOpen` is the AutoOpenIME setting.
    void Enter(HWND edit, bool autoOpen);
    // The box lost the focus.
    void Exit();

    // The display name of a layout ("Layout Text" of its registry key), or empty.
    static std::wstring LayoutDisplayName(HKL layout);

private:
    struct Layout {
        HKL Handle;
        std::wstring Name;
    };
    const std::vector<Layout>& InstalledImeLayouts();

    HKL startupLayout_;
    std::wstring startupName_;
    std::wstring requestedName_;  // the layout name of the current focus, or empty
    std::vector<Layout> installed_;
    bool installedRead_ = false;
};

}  // namespace quorvex
