#pragma once
// The minimise/restore hot key: how a stored hot-key value becomes the
// arguments of the system's hot-key registration, and what a press does.
#include <cstdint>

namespace quorvex {

// Name of the global atom whose value is the registration id. The same string
// yields the same atom while it exists, so the id survives re-registration.
constexpr const char* TrayHotKeyAtomName = "QuorvexExeHotKey";

// The system's registration flags (same values as MOD_ALT ... MOD_WIN).
constexpr unsigned ModAlt = 0x0001;
constexpr unsigned ModControl = 0x0002;
constexpr unsigned ModShift = 0x0004;
constexpr unsigned ModWin = 0x0008;

struct HotKeyRegistration {
    unsigned Modifiers = 0;   // ModAlt | ModControl | ModShift | ModWin
    unsigned VirtualKey = 0;  // the value's low byte
    bool operator==(const HotKeyRegistration& o) const {
        return Modifiers == o.Modifiers && VirtualKey == o.VirtualKey;
    }
};

// 0x8000 Alt, 0x4000 Ctrl, 0x2000 Shift, 0x1000 Win, key in the low byte.
// The unused bits 8-11 are dropped.
HotKeyRegistration HotKeyToRegistration(std::uint16_t value);

// What a WM_HOTKEY does to the program, decided from the window states.
enum class HotKeyAction {
    None,                  // foreign id, or nothing to toggle
    RestoreFromTray,       // the tray icon's click action
    RestoreFromMinimised,  // restore the minimised application window
    Minimise,              // the minimise button's click action
};

struct HotKeyState {
    std::uint32_t RegisteredId = 0;  // 0: nothing registered
    bool TrayIconShown = false;
    bool ApplicationIconic = false;
    bool BarVisible = false;
};

// pressedId is WM_HOTKEY's wParam. With no registration of our own the
// message cannot be ours, so id 0 never matches.
HotKeyAction DecideHotKeyAction(std::uint32_t pressedId, const HotKeyState& state);

const char* HotKeyActionName(HotKeyAction action);

}  // namespace quorvex
