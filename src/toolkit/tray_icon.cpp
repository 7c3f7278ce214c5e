#include "toolkit/tray_icon.h"

#include <shellapi.h>
#include <windowsx.h>

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
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | (version4_ ? NIF_SHOWTIP : 0u);
        data.uCallbackMessage = CallbackMessage;
        data.hIcon = icon_;
        static_assert(MaxTipChars + 1 <= sizeof(data.szTip) / sizeof(wchar_t));
        CopyCut(tip_.substr(0, MaxTipChars), data.szTip);
    }
    return Call(command, data);
}

void TrayIcon::SetVersion() {
    version4_ = false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = Window();
    data.uID = Id();
    data.uVersion = NOTIFYICON_VERSION_4;
    if (!Call(NIM_SETVERSION, data)) return;  // an older shell: today's callbacks
    version4_ = true;
    Notify(NIM_MODIFY);  // the tip shows with NIF_SHOWTIP only
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
    version4_ = false;
    if (!Notify(NIM_ADD)) throw Error(CreateErrorText);
    visible_ = true;
    SetVersion();
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

void TrayIcon::Popup(POINT pt) {
    // The menu closes properly on an outside click only when its owner's
    // application is in the foreground.
    if (foregroundTarget_) SetForegroundWindow(foregroundTarget_);
    if (Application* app = Application::Current()) app->ProcessMessages();
    if (OnPopup) OnPopup(pt);
}

void TrayIcon::MouseCallback(UINT event, WPARAM wParam) {
    switch (event) {
    case WM_LBUTTONDOWN:
        leftPressed_ = true;
        break;
    case WM_LBUTTONUP:
        selectFollows_ = true;
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
        // Set first: the shell's WM_CONTEXTMENU may be handled among the
        // pending messages before the menu or inside it.
        contextMenuFollows_ = true;
        POINT pt{};
        GetCursorPos(&pt);
        Popup(pt);
        break;
    }
    case NIN_SELECT:
        // After a mouse release the click is decided already.
        if (selectFollows_) {
            selectFollows_ = false;
        } else if (OnClick) {
            OnClick();
        }
        break;
    case NIN_KEYSELECT:
        selectFollows_ = false;
        if (OnClick) OnClick();
        break;
    case WM_CONTEXTMENU: {
        if (contextMenuFollows_) {
            contextMenuFollows_ = false;
            break;
        }
        // Version 4 gives the icon's point in wParam; an older shell
        // sending this names no point, so the cursor's serves.
        POINT pt{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
        if (!version4_) GetCursorPos(&pt);
        Popup(pt);
        break;
    }
    default:
        break;
    }
}

bool TrayIcon::IconMessage(Message& m) {
    if (m.Msg == CallbackMessage) {
        // Version 4: event in the low word, icon id in the high word; before
        // it the whole lParam is the event, which fits the low word too.
        MouseCallback(LOWORD(m.LParam), m.WParam);
        return true;
    }
    if (taskbarCreated_ != 0 && m.Msg == taskbarCreated_) {
        // The shell came back without our icon: add it again if it was
        // shown. The message is also broadcast without a restart, with the
        // icon still there: delete first, so the add is not refused for that.
        if (balloonOnly_) BalloonGone();  // its balloon went with the old shell
        if (visible_) {
            Notify(NIM_DELETE);
            version4_ = false;
            if (!Notify(NIM_ADD)) throw Error(CreateErrorText);
            SetVersion();
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
