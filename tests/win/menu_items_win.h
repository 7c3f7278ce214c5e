#pragma once
// A system menu read back item by item, as TrackPopupMenu would show it.
#include <windows.h>

#include <string>
#include <vector>

namespace quorvex::test {

struct MenuItemShown {
    std::wstring Text;  // with its "&" accelerator
    UINT Type;          // MFT_* (separator, radio bullet)
    UINT State;         // MFS_* (checked, default, disabled)
};

inline std::vector<MenuItemShown> MenuItemsOf(HMENU menu) {
    std::vector<MenuItemShown> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
        items.push_back({text, mii.fType, mii.fState});
    }
    return items;
}

}  // namespace quorvex::test
