#include "hotkeys/tray_hotkey.h"

#include "hotkeys/hotkey_text.h"

namespace quorvex {

HotKeyRegistration HotKeyToRegistration(std::uint16_t value) {
    const THotKeyParts parts = SplitHotKey(value);
    HotKeyRegistration r;
    r.VirtualKey = parts.Key;
    if (parts.Shift & ssShift) r.Modifiers |= ModShift;
    if (parts.Shift & ssAlt) r.Modifiers |= ModAlt;
    if (parts.Shift & ssCtrl) r.Modifiers |= ModControl;
    if (parts.Win) r.Modifiers |= ModWin;
    return r;
}

HotKeyAction DecideHotKeyAction(std::uint32_t pressedId, const HotKeyState& state) {
    if (state.RegisteredId == 0 || pressedId != state.RegisteredId) return HotKeyAction::None;
    if (state.TrayIconShown) return HotKeyAction::RestoreFromTray;
    if (state.ApplicationIconic) return HotKeyAction::RestoreFromMinimised;
    if (state.BarVisible) return HotKeyAction::Minimise;
    return HotKeyAction::None;
}

const char* HotKeyActionName(HotKeyAction action) {
    switch (action) {
    case HotKeyAction::None:
        return "none";
    case HotKeyAction::RestoreFromTray:
        return "restore from tray";
    case HotKeyAction::RestoreFromMinimised:
        return "restore from minimised";
    case HotKeyAction::Minimise:
        return "minimise";
    }
    return "?";
}

}  // namespace quorvex
