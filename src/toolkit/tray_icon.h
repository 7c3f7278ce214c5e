#pragma once
// A notification-area ("tray") icon with a hidden top-level window of its own
// that receives the shell's callbacks. The icon's identifier is that window's
// handle value; the callback message is WM_USER + 1.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

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

    HWND Window() const { return window_; }
    UINT Id() const { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(window_)); }

    // Left button pressed on the icon and released there.
    std::function<void()> OnClick;
    // Right button released, after the foreground switch; point in screen pixels.
    std::function<void(POINT)> OnPopup;
    // Errors escaping the handlers above or a re-add after the shell restarted.
    // Unset: a message box captioned with the tip.
    std::function<void(const std::exception&)> OnError;

    // The window procedure's dispatch, public so tests can drive the callback
    // protocol without a shell: returns true when the message was handled.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    bool Notify(DWORD command);
    void ReportError(const std::exception& e) noexcept;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    std::wstring tip_;
    HWND foregroundTarget_ = nullptr;
    bool visible_ = false;
    bool leftPressed_ = false;
    UINT taskbarCreated_ = 0;
};

// Dispatches the pending messages of this thread; a WM_QUIT found on the way
// is posted again so the main loop still ends.
void ProcessPendingMessages();

}  // namespace quorvex::tk
