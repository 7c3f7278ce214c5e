#include "toolkit/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "base/error.h"
#include "toolkit/application.h"

namespace quorvex::tk {
namespace {

constexpr wchar_t ClassName[] = L"QuorvexTrayIconWindow";
constexpr size_t MaxTipChars = 127;

}  // namespace

// A hidden top-level window rather than a message-only one: the shell's
// "TaskbarCreated" is broadcast, and broadcasts skip message-only windows.
class TrayIcon::CallbackWindow : public tk::Window {
public:
    explicit CallbackWindow(TrayIcon& icon) : icon_(icon) {
        RegisterWindowClass({ClassName, 0});
        CreateParams p{ClassName, L""};
        p.ExStyle = WS_EX_TOOLWINDOW;
        CreateHandle(p);
    }

protected:
    void WndProc(Message& m) override {
        if (!icon_.IconMessage(m)) DefaultHandler(m);
    }

private:
    TrayIcon& icon_;
};

TrayIcon::TrayIcon()
    : taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")), window_(MakeInstance<CallbackWindow>(*this)) {}

TrayIcon::~TrayIcon() { HideQuietly(); }

HWND TrayIcon::Window() const { return window_->Handle(); }

bool TrayIcon::Notify(DWORD command) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = Window();
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

void TrayIcon::MouseCallback(UINT mouseMessage) {
    switch (mouseMessage) {
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
            if (Application* app = Application::Current()) app->ProcessMessages();
            POINT pt{};
            GetCursorPos(&pt);
            if (OnPopup) OnPopup(pt);
            break;
        }
        default:
            break;
    }
}

bool TrayIcon::IconMessage(Message& m) {
    if (m.Msg == CallbackMessage) {
        MouseCallback(static_cast<UINT>(m.LParam));
        return true;
    }
    if (taskbarCreated_ != 0 && m.Msg == taskbarCreated_) {
        // The shell came back without our icon: add it again if it was shown.
        if (visible_ && !Notify(NIM_ADD)) throw Error(CreateErrorText);
        return true;
    }
    switch (m.Msg) {
        case WM_QUERYENDSESSION:
            m.Result = TRUE;
            return true;
        case WM_ENDSESSION:
            // The session ends without a normal shutdown: leave no dead icon behind.
            if (m.WParam) HideQuietly();
            return true;
        default:
            return false;
    }
}

}  // namespace quorvex::tk
