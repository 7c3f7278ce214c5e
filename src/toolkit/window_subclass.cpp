#include "toolkit/window_subclass.h"

#include <commctrl.h>

#include <utility>

#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/guard.h"

namespace quorvex::tk {

// The object's address is the hook's id as well as its data: hooks of
// several objects on one window stay apart.
WindowSubclass::WindowSubclass(HWND window, Handler handler) : hwnd_(window), handler_(std::move(handler)) {
    if (!window) throw Error("Cannot subclass window");
    if (!SetWindowSubclass(window, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this))) {
        ThrowLastError("Cannot subclass window");
    }
}

WindowSubclass::~WindowSubclass() { Remove(); }

void WindowSubclass::Remove() noexcept {
    if (!hwnd_) return;
    RemoveWindowSubclass(hwnd_, &Proc, reinterpret_cast<UINT_PTR>(this));
    hwnd_ = nullptr;
}

LRESULT WindowSubclass::Default(Message& m) {
    if (defaulted_) *defaulted_ = true;
    m.Result = DefSubclassProc(hwnd_, m.Msg, m.WParam, m.LParam);
    return m.Result;
}

LRESULT CALLBACK WindowSubclass::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<WindowSubclass*>(data);
    Message m{msg, w, l, 0};
    bool defaulted = false;
    // Messages nest (a handler may send more): each call keeps its own mark.
    bool* const outer = std::exchange(self->defaulted_, &defaulted);
    const bool handled = Guarded([&] { return self->handler_(*self, m); }, false);
    self->defaulted_ = outer;
    if (msg == WM_NCDESTROY) {
        // The last message: unhook, then let the window finish.
        self->Remove();
        return defaulted ? m.Result : DefSubclassProc(hwnd, msg, w, l);
    }
    if (handled || defaulted) return m.Result;
    return DefSubclassProc(hwnd, msg, m.WParam, m.LParam);
}

}  // namespace quorvex::tk
