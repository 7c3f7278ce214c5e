#include "app/single_instance_win.h"

#include <windows.h>

#include "bar/search_bar_win.h"

namespace quorvex {

bool CanStartInstance() {
    HWND h = FindWindowW(SearchBarClassName, nullptr);
    if (!IsWindow(h)) return true;
    // A bar that is disabled and hidden is on its way out: start anew.
    if (!IsWindowEnabled(h) && !IsWindowVisible(h)) return true;
    if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
    if (!IsWindowVisible(h)) SendMessageW(h, WM_APP_RESTORE, 0, 0);
    SetForegroundWindow(h);
    return false;
}

}  // namespace quorvex
