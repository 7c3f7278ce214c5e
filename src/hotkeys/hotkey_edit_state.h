#pragma once
// The Windows-key half of the hot-key edit box. The platform's hot-key control
// knows Shift, Ctrl and Alt; this state machine adds Win from the events the
// low-level keyboard hook posts, and composes the value and the text shown.
// The platform control's own value (the "base" value) stays in the control;
// the state machine reaches it through the Base interface.
#include <cstdint>
#include <functional>
#include <string>

#include "hotkeys/hotkey_text.h"

namespace quorvex {

// The platform control's flags (the high byte of its word).
constexpr std::uint8_t HotKeyfShift = 0x01;
constexpr std::uint8_t HotKeyfControl = 0x02;
constexpr std::uint8_t HotKeyfAlt = 0x04;
constexpr std::uint8_t HotKeyfExt = 0x08;

// Posted by the keyboard hook to the focused edit box: wParam is the
// keyboard message of a Windows-key event, lParam 0.
constexpr unsigned WM_HOTKEYEX_WINKEY = 0x7FFF;

// Keyboard messages as the hook reports them.
constexpr unsigned KeyMsgDown = 0x0100;
constexpr unsigned KeyMsgUp = 0x0101;
constexpr unsigned KeyMsgSysDown = 0x0104;
constexpr unsigned KeyMsgSysUp = 0x0105;

// The base control's view of a value: the key code (value and 0x1FFF, of which
// only the low byte reaches the platform) and its modifier flags.
struct TBaseHotKey {
    std::uint16_t Key = 0;
    std::uint8_t Modifiers = 0;  // HOTKEYF_* bits
};
TBaseHotKey SplitBaseHotKey(std::uint16_t value);
// The word HKM_SETHOTKEY carries: key code in the low byte, flags in the high.
std::uint16_t BaseHotKeyWord(const TBaseHotKey& key);
// The value read back from HKM_GETHOTKEY's word: the flags move to bits 13 to
// 15 (high byte shl 13, truncated to 16 bits), so HOTKEYF_EXT is lost.
std::uint16_t HotKeyFromBaseWord(std::uint16_t word);

// Compact text of a value, as HotKeyToText(value, allowEmptyKey) makes it.
using THotKeyTextFn = std::function<std::string(std::uint16_t value, bool allowEmptyKey)>;
// The display form: "无" for an empty text, otherwise every "+" as " + ".
std::string DisplayFormOf(const std::string& compact);

class THotKeyEditState {
public:
    struct Base {
        std::function<std::uint16_t()> GetHotKey;      // HKM_GETHOTKEY, converted
        std::function<void(std::uint16_t)> SetHotKey;  // the base HotKey write
        std::function<void()> Repaint;
        std::function<void()> Changed;  // fires OnChange
    };

    explicit THotKeyEditState(Base base);

    bool AllowWinKey = true;
    bool WinKey() const { return FWinKey; }
    bool WinKeyDown() const { return FWinKeyDown; }

    std::uint16_t HotKey() const;
    void SetHotKey(std::uint16_t value);
    std::string DisplayText(const THotKeyTextFn& toText) const;

    // WM_HOTKEYEX_WINKEY with the keyboard message of the event.
    void WinKeyMessage(unsigned keyMessage);
    // WM_KEYDOWN / WM_SYSKEYDOWN, before the base control sees them.
    void KeyDown(unsigned virtualKey);
    // WM_KEYUP / WM_SYSKEYUP, before the base control sees them. Only the
    // release of the key whose press this box saw settles the Win flag: the
    // release of a key pressed elsewhere (the menu letter that opened the
    // dialog) must not strip Win from the value shown.
    void KeyUp(unsigned virtualKey);
    // After the focus has left the control.
    void FocusExit();

private:
    Base FBase;
    bool FWinKey = false;
    bool FWinKeyDown = false;
    unsigned FPressedKey = 0;  // the non-modifier key seen going down; 0 = none
};

}  // namespace quorvex
