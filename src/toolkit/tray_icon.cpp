#include "toolkit/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "base/error.h"
#include "base/trace_win.h"
#include "toolkit/application.h"

namespace quorvex::tk {
namespace {

constexpr wchar_t ClassName[] = L"QuorvexTrayIconWindow";
constexpr size_t MaxTipChars = 127;

template <size_t N>
void CopyCut(const std::wstring& from, wchar_t (&to)[N]) {
    const size_t n = std::min(from.size(), N - 1);
    std::copy_n(from.data(), n, to);
    to[n] = L'\0';
}

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
        static_assert(MaxTipChars + 1 <= sizeof(data.szTip) / sizeof(wchar_t));
        CopyCut(tip_.substr(0, MaxTipChars), data.szTip);
    }
    return Call(command, data);
}

bool TrayIcon::Call(DWORD command, NOTIFYICONDATAW& data) {
    if (shellNotify_) return shellNotify_(command, data);
    return Shell_NotifyIconW(command, &data) != FALSE;
}

bool TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) noexcept {
    try {
        const bool added = !visible_ && !balloonOnly_;
        if (added) {
            if (!Notify(NIM_ADD)) return false;
            balloonOnly_ = true;
        }
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = Window();
        data.uID = Id();
        data.uFlags = NIF_INFO;
        data.dwInfoFlags = NIIF_INFO;
        CopyCut(title, data.szInfoTitle);
        CopyCut(text, data.szInfo);
        if (Call(NIM_MODIFY, data)) return true;
        if (added) BalloonGone();
        return false;
    } catch (...) {
        // A balloon is a courtesy: whatever goes wrong, nothing else shows.
        TraceSwallowedError("balloon");
        return false;
    }
}

void TrayIcon::BalloonGone() {
    if (!balloonOnly_) return;
    balloonOnly_ = false;
    Notify(NIM_DELETE);
}

void TrayIcon::Show() {
    if (visible_) return;
    if (balloonOnly_) {
        // Already in the shell for a balloon: it stays, now for good, with
        // the picture and tip as they are now.
        balloonOnly_ = false;
        visible_ = true;
        Notify(NIM_MODIFY);
        return;
    }
    if (!Notify(NIM_ADD)) throw Error(CreateErrorText);
    visible_ = true;
}

void TrayIcon::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (!Notify(NIM_DELETE)) throw Error(RemoveErrorText);
}

void TrayIcon::HideQuietly() noexcept {
    if (!visible_ && !balloonOnly_) return;
    visible_ = false;
    balloonOnly_ = false;
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
        case NIN_BALLOONHIDE:
        case NIN_BALLOONTIMEOUT:
            BalloonGone();
            break;
        case NIN_BALLOONUSERCLICK:
            BalloonGone();
            if (OnBalloonClick) OnBalloonClick();
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
        // The shell came back without our icon: add it again if it was
        // shown. The message is also broadcast without a restart, with the
        // icon still there: delete first, so the add is not refused for that.
        if (balloonOnly_) BalloonGone();  // its balloon went with the old shell
        if (visible_) {
            Notify(NIM_DELETE);
            if (!Notify(NIM_ADD)) throw Error(CreateErrorText);
        }
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
