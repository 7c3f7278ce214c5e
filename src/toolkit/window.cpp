#include "toolkit/window.h"

#include <algorithm>

#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/guard.h"

namespace quorvex::tk {

void RegisterWindowClass(const WindowClass& cls) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, cls.Name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.Style;
    wc.lpfnWndProc = &Window::StaticWndProc;
    wc.hInstance = instance;
    wc.hIcon = cls.Icon;
    wc.hCursor = cls.Cursor ? cls.Cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = cls.Background;
    wc.lpszClassName = cls.Name;
    if (!RegisterClassExW(&wc)) ThrowLastError("Cannot register window class");
}

Window::~Window() { DestroyHandleUnbound(); }

int Window::AddHandler(UINT msg, MessageHandler handler) {
    const int id = nextHandlerId_++;
    handlers_[msg].push_back({id, std::move(handler)});
    return id;
}

void Window::RemoveHandler(int id) {
    for (auto& [msg, entries] : handlers_) {
        entries.erase(std::remove_if(entries.begin(), entries.end(), [id](const Entry& e) { return e.Id == id; }),
                      entries.end());
    }
}

LRESULT Window::DefaultHandler(Message& m) {
    m.Result = DefWindowProcW(hwnd_, m.Msg, m.WParam, m.LParam);
    return m.Result;
}

LRESULT Window::Perform(UINT msg, WPARAM w, LPARAM l) const { return SendMessageW(hwnd_, msg, w, l); }

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    // Only windows of our own classes carry an object pointer in GWLP_USERDATA.
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)) != &Window::StaticWndProc) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::CreateHandle(const CreateParams& p) {
    if (hwnd_) throw Error("Window already created");
    HWND h = CreateWindowExW(p.ExStyle, p.ClassName, p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height, p.Parent,
                             p.MenuOrId, GetModuleHandleW(nullptr), this);
    if (!h) ThrowLastError("Cannot create window");
}

void Window::DestroyHandle() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void Window::DestroyHandleUnbound() noexcept {
    if (!hwnd_) return;
    const HWND h = hwnd_;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(h);
}

void Window::Observe(Message&) {}

void Window::WndProc(Message& m) { DefaultHandler(m); }

LRESULT Window::Dispatch(Message& m) {
    Observe(m);
    auto it = handlers_.find(m.Msg);
    if (it != handlers_.end() && !it->second.empty()) {
        // Copy: a handler may add or remove handlers.
        const auto entries = it->second;
        for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
            if (e->Handler(m)) return m.Result;
        }
    }
    WndProc(m);
    return m.Result;
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE && !self) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(l);
        self = static_cast<Window*>(cs->lpCreateParams);
        if (self) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->hwnd_ = hwnd;
        }
    }
    if (!self) return DefWindowProcW(hwnd, msg, w, l);

    Message m{msg, w, l, 0};
    LRESULT result = 0;
    if (msg == WM_NCDESTROY) {
        Guarded([&] { self->Dispatch(m); });
        Guarded([&] { self->Destroyed(); });
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return m.Result;
    }
    try {
        result = self->Dispatch(m);
    } catch (...) {
        ReportCurrentException();
        result = 0;
        // A window that failed its creation must still be able to go on.
        if (msg == WM_NCCREATE) result = TRUE;
    }
    return result;
}

}  // namespace quorvex::tk
