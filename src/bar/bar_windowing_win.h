#pragma once
// The search bar's window-level life: minimising to the taskbar or the tray
// and restoring, the tray icon and its menu, the minimise/restore hot key,
// the opacity on (de)activation, dragging by the top strip, the private
// messages, and the end of a session.
//
// The bar owns one BarWindowing and feeds it its window messages; what this
// needs from the bar and the application goes through BarWindowingHost.
#include <windows.h>

#include <cstdint>

#include "bar/bar_messages.h"
#include "hotkeys/tray_hotkey_win.h"
#include "toolkit/tray_icon.h"

namespace quorvex {

class BarWindowingHost {
public:
    virtual ~BarWindowingHost() = default;
    virtual HWND BarWindow() const = 0;
    // The application's invisible owner window (taskbar button, owner of the bar).
    virtual HWND ApplicationWindow() const = 0;
    // Minimise and restore the application: the owned bar hides and comes back
    // with it, the taskbar button stays.
    virtual void MinimiseApplication() = 0;
    virtual void RestoreApplication() = 0;
    // The window that activating the application window comes down to (the
    // program's active form); the application window itself by default.
    virtual HWND ActivationTarget() const { return ApplicationWindow(); }
    virtual bool MinToTrayIcon() const = 0;
    virtual std::uint16_t TrayHotKey() const = 0;
    virtual void ArrangeButtons() = 0;
    virtual void AutoCopyFromClipboard() = 0;
    // The program's active form is the bar / some other form (a dialog).
    virtual bool BarIsActiveForm() const = 0;
    virtual HWND OtherActiveForm() const = 0;
    // Opens the tray menu at pt (screen pixels).
    virtual void PopupTrayMenu(POINT pt) = 0;
    // Opens the hot-key dialog as its menu item does.
    virtual void OpenHotKeyDialog() = 0;
    // The bar's shutdown sequence: position, history and settings into the
    // registry, then the hot key's release. May throw.
    virtual void ShutdownSequence() = 0;
};

class BarWindowing {
public:
    explicit BarWindowing(BarWindowingHost& host, HotKeySystem& hotKeys = SystemHotKeys());
    BarWindowing(const BarWindowing&) = delete;
    BarWindowing& operator=(const BarWindowing&) = delete;

    // The tray icon's picture and tip (the application title).
    void SetTrayIcon(HICON icon, const std::wstring& tip);

    // The minimise button: minimise the application; with MinToTrayIcon the
    // icon goes into the tray and the taskbar button away. A refused tray
    // icon raises the error and leaves the program minimised.
    void MinimiseClick();
    // The tray icon's click: remove the icon, show and activate the application.
    void TrayIconClick();

    // Registers TrayHotKey on the bar's window (0: nothing). True when
    // accepted. A refusal is told once per run in a balloon on the tray icon.
    bool RegisterTrayHotKey();
    void UnregisterTrayHotKey();
    std::uint32_t HotKeyId() const { return hotKey_.Id(); }
    // The last registration of a key was refused by the system.
    bool TrayHotKeyRefused() const { return hotKeyRefused_; }
    // The hot-key dialog's change of key: the old registration goes, the new
    // one is made; if the system refuses it, the old is registered again and
    // the result is false. The setting itself is the caller's.
    bool ChangeTrayHotKey(std::uint16_t oldValue, std::uint16_t newValue);

    // True when the cursor is in the bar's drag strip.
    bool InDragZone() const;

    // The host's shutdown sequence, errors swallowed. Runs once: the destroy
    // handler and the end of a session may both ask for it.
    void RunShutdownOnce() noexcept;
    bool ShutdownHasRun() const { return shutdownHasRun_; }

    // Messages of the bar's window. Returns true with result set when the
    // message is answered here; false lets the bar's default handling run.
    // May throw (the bar's window procedure reports the error).
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    tk::TrayIcon& Tray() { return tray_; }

private:
    void HotKey(WPARAM id);
    void ActivateApp(WPARAM wParam);
    bool Register(std::uint16_t value);
    void ReportRefusedHotKey(std::uint16_t value);

    BarWindowingHost& host_;
    TrayHotKeyRegistrar hotKey_;
    tk::TrayIcon tray_;
    bool shutdownHasRun_ = false;
    bool hotKeyRefused_ = false;
    bool refusalReported_ = false;  // the balloon shows once per run
};

}  // namespace quorvex
