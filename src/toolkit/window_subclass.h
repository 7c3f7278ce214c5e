#pragma once
// Hooking the procedure of a window that is not ours (or not only ours): a
// control's own window, a combo box's edit field, the form a helper watches.
//
// A WindowSubclass hooks the window for its own lifetime, through the common
// controls' subclassing (SetWindowSubclass), so several hooks on one window
// stack and each can go in any order. The hook is removed when the object goes
// or when the window is destroyed, whichever comes first; the handler sees the
// window's WM_NCDESTROY and never runs after it. An exception out of the
// handler is reported in the application's error box, and the message then
// still gets the window's previous processing.
#include <windows.h>

#include <functional>

#include "toolkit/window.h"

namespace quorvex::tk {

class WindowSubclass {
public:
    // True: handled, with the result in m.Result. False: the message, with
    // the parameters the handler may have changed, goes on to the previous
    // procedure (unless the handler has called hook.Default).
    using Handler = std::function<bool(WindowSubclass& hook, Message& m)>;

    // Throws Error when the system refuses the hook.
    WindowSubclass(HWND window, Handler handler);
    ~WindowSubclass();
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // The hooked window; nullptr once it is destroyed.
    HWND Window() const { return hwnd_; }

    // Inside the handler: the previous procedure's processing of m, now (its
    // result also in m.Result). The message is not passed on a second time.
    LRESULT Default(Message& m);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR data);
    void Remove() noexcept;

    HWND hwnd_;
    Handler handler_;
    bool* defaulted_ = nullptr;  // the running message's "passed on" mark
};

}  // namespace quorvex::tk
