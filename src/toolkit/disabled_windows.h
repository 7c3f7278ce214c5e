#pragma once
// The program's other windows disabled around something modal (a modal form,
// a message box): every visible, enabled top-level window of the thread but
// one is disabled for the scope and enabled again at its end, also when the
// scope ends by an exception. Windows that were disabled or hidden already
// are left as they are.
#include <windows.h>

#include <vector>

namespace quorvex::tk {

class DisabledWindows {
public:
    explicit DisabledWindows(HWND keep);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND hwnd, LPARAM self);

    HWND keep_;
    std::vector<HWND> disabled_;
};

}  // namespace quorvex::tk
