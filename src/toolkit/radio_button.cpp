#include "toolkit/radio_button.h"

namespace quorvex::tk {

RadioButton::RadioButton(Form& parent, std::string name, const std::wstring& caption, int left, int top, int width,
                         int height, bool firstOfGroup)
    : WinControl(parent, std::move(name),
                 ControlParams{L"BUTTON", caption,
                               static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON |
                                                  (firstOfGroup ? WS_GROUP : 0)),
                               0, left, top, width, height}) {}

bool RadioButton::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioButton::Check() {
    // The other buttons of the group: siblings up to the next group start.
    HWND parent = GetParent(Handle());
    HWND first = Handle();
    while (!(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev) break;
        first = prev;
    }
    for (HWND w = first; w && GetParent(w) == parent; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && (GetWindowLongW(w, GWL_STYLE) & WS_GROUP)) break;
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (w != Handle() && lstrcmpiW(cls, L"Button") == 0 &&
            (GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
            SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);
    if (OnClick) OnClick(*this);
}

bool RadioButton::Command(WORD code) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick(*this);
    return true;
}

}  // namespace quorvex::tk
