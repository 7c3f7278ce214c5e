#pragma once
// A notification-area ("tray") icon with a hidden top-level window of its own
// that receives the shell's callbacks. The icon's identifier is that window's
// handle value; the callback message is WM_USER + 1. The window is a
// tk::Window: errors out of the handlers below reach the application's error
// box like those of any other window. A balloon's events arrive through the
// callback message too (NIN_BALLOON*, WM_USER + 2 to + 5).
//
// Where the shell takes NOTIFYICON_VERSION_4 (asked for on every add by
// Show) the callback's lParam carries the event in its low word and the
// keyboard reaches the icon: Enter or Space (NIN_KEYSELECT) clicks, the
// context-menu key or Shift+F10 (WM_CONTEXTMENU) opens the menu. The mouse
// acts as with the older callbacks: its NIN_SELECT and WM_CONTEXTMENU, which
// follow the button's release there, add nothing.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "toolkit/window.h"

namespace quorvex::tk {

class TrayIcon {
public:
    static constexpr UINT CallbackMessage = WM_USER + 1;
    static constexpr const char* CreateErrorText = "Cannot create shell notification icon";
    static constexpr const char* RemoveErrorText = "Cannot remove shell notification icon";

    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The shell's notification call: Shell_NotifyIconW unless replaced (tests
    // record the calls here; Wine's virtual desktop draws no tray).
    using ShellNotifyFn = std::function<bool(DWORD command, NOTIFYICONDATAW& data)>;
    void SetShellNotify(ShellNotifyFn fn) { shellNotify_ = std::move(fn); }

    // Not owned; must outlive the icon while it is shown.
    void SetIcon(HICON icon) { icon_ = icon; }
    // At most 127 characters reach the shell.
    void SetTip(const std::wstring& tip) { tip_ = tip; }
    // The window made foreground before the menu opens (the application window).
    void SetForegroundTarget(HWND window) { foregroundTarget_ = window; }

    // NIM_ADD; nothing when already shown. A refusal raises quorvex::Error
    // (CreateErrorText) and the icon stays hidden.
    void Show();
    // NIM_DELETE; nothing when already hidden. A refusal raises
    // quorvex::Error (RemoveErrorText); the icon counts as hidden anyway.
    void Hide();
    // As Hide, for shutdown paths: a refusal is ignored.
    void HideQuietly() noexcept;
    bool Visible() const { return visible_; }

    // A balloon on the icon (title at most 63 characters, text 255). When
    // the icon is not shown it is added for the balloon alone and removed
    // again when the balloon goes; Show meanwhile keeps it. False when the
    // shell refused; nothing else is reported.
    bool ShowBalloon(const std::wstring& title, const std::wstring& text) noexcept;
    // The icon is in the shell only for a balloon.
    bool HeldForBalloon() const { return balloonOnly_; }
    // The shell took NOTIFYICON_VERSION_4 at the last add.
    bool Version4() const { return version4_; }

    HWND Window() const;
    UINT Id() const { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(Window())); }

    // Left button pressed on the icon and released there, or Enter/Space on it.
    std::function<void()> OnClick;
    // Right button released (at the cursor) or the context-menu key (at the
    // icon), after the foreground switch and the pending messages; point in
    // screen pixels.
    std::function<void(POINT)> OnPopup;
    // The user clicked the balloon.
    std::function<void()> OnBalloonClick;

private:
    class CallbackWindow;
    // The messages of the icon's window it answers: the callback message,
    // "TaskbarCreated", WM_QUERYENDSESSION and WM_ENDSESSION.
    bool IconMessage(Message& m);
    void MouseCallback(UINT event, WPARAM wParam);
    void Popup(POINT pt);
    // After an add: asks for version 4; with it, the tip needs NIF_SHOWTIP.
    void SetVersion();
    bool Notify(DWORD command);
    bool Call(DWORD command, NOTIFYICONDATAW& data);
    void BalloonGone();

    HICON icon_ = nullptr;
    std::wstring tip_;
    HWND foregroundTarget_ = nullptr;
    bool visible_ = false;
    bool balloonOnly_ = false;
    ShellNotifyFn shellNotify_;
    bool leftPressed_ = false;
    bool version4_ = false;
    // A release was handled as today's mouse message: the shell's NIN_SELECT
    // or WM_CONTEXTMENU that follows it is the same gesture.
    bool selectFollows_ = false;
    bool contextMenuFollows_ = false;
    UINT taskbarCreated_;
    // Last: made after and destroyed before the state its handlers use.
    std::unique_ptr<CallbackWindow> window_;
};

}  // namespace quorvex::tk
