#include "bar/bar_windowing_win.h"

#include "app/app_title.h"
#include "bar/window_rules.h"
#include "base/trace_win.h"
#include "hotkeys/hotkey_text_win.h"
#include "hotkeys/tray_hotkey.h"
#include "toolkit/text.h"

namespace quorvex {

BarWindowing::BarWindowing(BarWindowingHost& host, HotKeySystem& hotKeys) : host_(host), hotKey_(hotKeys) {
    tray_.OnClick = [this] { TrayIconClick(); };
    tray_.OnPopup = [this](POINT pt) { host_.PopupTrayMenu(pt); };
    tray_.OnBalloonClick = [this] { host_.OpenHotKeyDialog(); };
}

void BarWindowing::SetTrayIcon(HICON icon, const std::wstring& tip) {
    tray_.SetIcon(icon);
    tray_.SetTip(tip);
}

void BarWindowing::MinimiseClick() {
    host_.MinimiseApplication();
    if (host_.MinToTrayIcon()) {
        tray_.SetForegroundTarget(host_.ApplicationWindow());
        tray_.Show();  // refused: the error travels, the taskbar button stays
        ShowWindow(host_.ApplicationWindow(), SW_HIDE);
    }
}

void BarWindowing::TrayIconClick() {
    tray_.Hide();  // refused: the error travels; the icon counts as hidden
    HWND app = host_.ApplicationWindow();
    // The bar first, then its activation: restoring the application window
    // (its frame, and its own activation, which it would only pass on)
    // takes milliseconds the user would wait for the bar. Restored without
    // activation afterwards, it finds its popups shown already.
    ShowOwnedPopups(app, TRUE);
    SetForegroundWindow(host_.ActivationTarget());
    ShowWindow(app, SW_SHOWNOACTIVATE);
}

bool BarWindowing::Register(std::uint16_t value) {
    const bool accepted = hotKey_.Register(host_.BarWindow(), value);
    hotKeyRefused_ = value != 0 && !accepted;
    return accepted;
}

bool BarWindowing::RegisterTrayHotKey() {
    const std::uint16_t value = host_.TrayHotKey();
    const bool accepted = Register(value);
    if (hotKeyRefused_) ReportRefusedHotKey(value);
    return accepted;
}

bool BarWindowing::ChangeTrayHotKey(std::uint16_t oldValue, std::uint16_t newValue) {
    UnregisterTrayHotKey();
    if (Register(newValue) || newValue == 0) return true;
    // Never left without a key the user did not choose to drop.
    Register(oldValue);
    return false;
}

void BarWindowing::ReportRefusedHotKey(std::uint16_t value) {
    if (refusalReported_) return;
    refusalReported_ = true;
    const std::string text = "热键 " + HotKeyDisplayText(value) + " 已被其他程序占用，请点击此处重新设置。";
    tray_.ShowBalloon(ApplicationTitle, tk::Utf8ToWide(text));
}

void BarWindowing::UnregisterTrayHotKey() { hotKey_.Unregister(host_.BarWindow()); }

bool BarWindowing::InDragZone() const {
    HWND bar = host_.BarWindow();
    POINT pt{};
    RECT r{};
    if (!GetCursorPos(&pt) || !ScreenToClient(bar, &pt) || !GetWindowRect(bar, &r)) return false;
    return quorvex::InDragZone(pt.x, pt.y, r.right - r.left);
}

void BarWindowing::RunShutdownOnce() noexcept {
    if (shutdownHasRun_) return;
    shutdownHasRun_ = true;
    try {
        host_.ShutdownSequence();
    } catch (...) {
        // The shutdown goes on whatever fails; the remaining steps are skipped.
        TraceSwallowedError("shutdown");
    }
}

void BarWindowing::HotKey(WPARAM id) {
    HotKeyState state;
    state.RegisteredId = hotKey_.Id();
    state.TrayIconShown = tray_.Visible();
    state.ApplicationIconic = IsIconic(host_.ApplicationWindow()) != FALSE;
    state.BarVisible = IsWindowVisible(host_.BarWindow()) != FALSE;
    // WM_HOTKEY's id is an int; the system's negative ids (desktop snap)
    // arrive sign-extended on 64-bit and are never ours.
    const std::uint64_t wide = id;
    if (wide > 0xFFFFFFFFu) return;
    const auto pressed = static_cast<std::uint32_t>(id);
    switch (DecideHotKeyAction(pressed, state)) {
    case HotKeyAction::RestoreFromTray:
        TrayIconClick();
        break;
    case HotKeyAction::RestoreFromMinimised:
        host_.RestoreApplication();
        break;
    case HotKeyAction::Minimise:
        MinimiseClick();
        break;
    case HotKeyAction::None:
        break;
    }
}

void BarWindowing::ActivateApp(WPARAM wParam) {
    HWND other = host_.OtherActiveForm();
    switch (DecideActivateApp(wParam, host_.BarIsActiveForm(), other != nullptr)) {
    case ActivateAction::Opaque:
        SetLayeredWindowAttributes(host_.BarWindow(), 0, OpaqueAlpha, LWA_ALPHA);
        host_.AutoCopyFromClipboard();
        break;
    case ActivateAction::BringUpForm:
        BringWindowToTop(other);
        break;
    case ActivateAction::Dim:
        SetLayeredWindowAttributes(host_.BarWindow(), 0, DimmedAlpha, LWA_ALPHA);
        break;
    case ActivateAction::Nothing:
        break;
    }
}

bool BarWindowing::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_HOTKEY:
        HotKey(wParam);
        return true;
    case WM_APP_ARRANGE:
        host_.ArrangeButtons();
        return true;
    case WM_APP_RESTORE:
        TrayIconClick();
        return true;
    case WM_ACTIVATEAPP:
        ActivateApp(wParam);
        return false;  // the toolkit may track activation too
    case WM_NCHITTEST:
        result = BarHitTest(DefWindowProcW(host_.BarWindow(), message, wParam, lParam), InDragZone());
        return true;
    case WM_QUERYENDSESSION:
        result = TRUE;
        return true;
    case WM_ENDSESSION:
        if (wParam) {
            // The process may be ended any time after this returns, and
            // the normal destroy would never run: save now, then leave no
            // dead icon in the notification area.
            RunShutdownOnce();
            tray_.HideQuietly();
        }
        return true;
    default:
        return false;
    }
}

}  // namespace quorvex
