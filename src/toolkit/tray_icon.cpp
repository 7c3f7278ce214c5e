#include "toolkit/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "base/error.h"
#include "toolkit/text.h"

namespace quorvex::tk {
namespace {

constexpr wchar_t ClassName[] = L"QuorvexTrayIconWindow";
constexpr size_t MaxTipChars = 127;

ATOM RegisterTrayClass(WNDPROC proc) {
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = ClassName;
        atom = RegisterClassExW(&wc);
        if (atom == 0) throw Error("Cannot register the tray icon window class");
    }
    return atom;
}

}  // namespace

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

TrayIcon::TrayIcon() {
    RegisterTrayClass(&TrayIcon::WindowProc);
    // A hidden top-level window rather than a message-only one: the shell's
    // "TaskbarCreated" is broadcast, and broadcasts skip message-only windows.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, ClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) throw Error("Cannot create the tray icon window");
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

TrayIcon::~TrayIcon() {
    HideQuietly();
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool TrayIcon::Notify(DWORD command) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = Id();
    if (command != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = CallbackMessage;
        data.hIcon = icon_;
        const size_t n = std::min(tip_.size(), MaxTipChars);
        std::copy_n(tip_.data(), n, data.szTip);
        data.szTip[n] = L'\0';
    }
    return Shell_NotifyIconW(command, &data) != FALSE;
}

void TrayIcon::Show() {
    if (visible_) return;
    if (!Notify(NIM_ADD)) throw Error(CreateErrorText);
    visible_ = true;
}

void TrayIcon::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (!Notify(NIM_DELETE)) throw Error(RemoveErrorText);
}

void TrayIcon::HideQuietly() noexcept {
    if (!visible_) return;
    visible_ = false;
    Notify(NIM_DELETE);
}

void TrayIcon::ReportError(const std::exception& e) noexcept {
    try {
        if (OnError) {
            OnError(e);
            return;
        }
        std::wstring text = Utf8ToWide(e.what());
        MessageBoxW(nullptr, text.c_str(), tip_.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Reporting must never throw into the window procedure.
    }
}

bool TrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == CallbackMessage) {
        switch (static_cast<UINT>(lParam)) {
            case WM_LBUTTONDOWN:
                leftPressed_ = true;
                break;
            case WM_LBUTTONUP:
                // The click needs a press on the icon first; the release that
                // ends a double click has none, so it adds no further action.
                if (leftPressed_) {
                    leftPressed_ = false;
                    if (OnClick) OnClick();
                }
                break;
            case WM_LBUTTONDBLCLK:
                leftPressed_ = false;
                break;
            case WM_RBUTTONUP: {
                // The menu closes properly on an outside click only when its
                // owner's application is in the foreground.
                if (foregroundTarget_) SetForegroundWindow(foregroundTarget_);
                ProcessPendingMessages();
                POINT pt{};
                GetCursorPos(&pt);
                if (OnPopup) OnPopup(pt);
                break;
            }
            default:
                break;
        }
        return true;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        // The shell came back without our icon: add it again if it was shown.
        if (visible_ && !Notify(NIM_ADD)) throw Error(CreateErrorText);
        return true;
    }
    if (message == WM_QUERYENDSESSION) {
        result = TRUE;
        return true;
    }
    if (message == WM_ENDSESSION) {
        // The session ends without a normal shutdown: leave no dead icon behind.
        if (wParam) HideQuietly();
        return true;
    }
    return false;
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        LRESULT result = 0;
        try {
            if (self->HandleMessage(message, wParam, lParam, result)) return result;
        } catch (const std::exception& e) {
            self->ReportError(e);
            return 0;
        } catch (...) {
            self->ReportError(Error("Unexpected error"));
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quorvex::tk
