#include "toolkit/reflection.h"

namespace quorvex::tk {

HWND ReflectedChild(HWND parent, const Message& m) {
    if (IsControlColorMessage(m.Msg)) return reinterpret_cast<HWND>(m.LParam);
    switch (m.Msg) {
    case WM_COMMAND:
        // lParam 0: a menu or accelerator command, no control.
        return reinterpret_cast<HWND>(m.LParam);
    case WM_NOTIFY:
        return m.LParam ? reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom : nullptr;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return reinterpret_cast<HWND>(m.LParam);
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        // A menu's item: hwndItem is the menu's handle, not a window.
        return draw && draw->CtlType != ODT_MENU ? draw->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
        if (!measure || measure->CtlType == ODT_MENU) return nullptr;
        return GetDlgItem(parent, static_cast<int>(measure->CtlID));
    }
    case WM_COMPAREITEM:
        return m.LParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(m.LParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return m.LParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(m.LParam)->hwndItem : nullptr;
    default:
        return nullptr;
    }
}

}  // namespace quorvex::tk
