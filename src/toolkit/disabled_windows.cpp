#include "toolkit/disabled_windows.h"

namespace quorvex::tk {

DisabledWindows::DisabledWindows(HWND keep) : keep_(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
}

DisabledWindows::~DisabledWindows() {
    for (HWND h : disabled_) EnableWindow(h, TRUE);
}

BOOL CALLBACK DisabledWindows::Disable(HWND hwnd, LPARAM data) {
    auto* self = reinterpret_cast<DisabledWindows*>(data);
    if (hwnd != self->keep_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        self->disabled_.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}

}  // namespace quorvex::tk
