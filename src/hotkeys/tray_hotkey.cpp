#include "hotkeys/tray_hotkey.h"

namespace quorvex {

HotKeyRegistration HotKeyToRegistration(std::uint16_t value) {
    HotKeyRegistration r;
    r.VirtualKey = value & 0xFFu;
    if (value & 0x2000u) r.Modifiers |= ModShift;
    if (value & 0x8000u) r.Modifiers |= ModAlt;
    if (value & 0x4000u) r.Modifiers |= ModControl;
    if (value & 0x1000u) r.Modifiers |= ModWin;
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
        case HotKeyAction::None: return "none";
        case HotKeyAction::RestoreFromTray: return "restore from tray";
        case HotKeyAction::RestoreFromMinimised: return "restore from minimised";
        case HotKeyAction::Minimise: return "minimise";
    }
    return "?";
}

}  // namespace quorvex
