#pragma once
// Hot-key values and their text forms.
//
// A value is a 16-bit word: the virtual-key code in the low byte, 0x1000 Win,
// 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; 0 means no hot key.
// Compact form: "Win+S", "Ctrl+Alt+S" (prefix order Win, Ctrl, Shift, Alt).
// Display form: "Win + S", and "无" for no key.
//
// The key names of keys without a fixed name come from the platform; the
// core takes that lookup as a parameter (the Windows glue in
// hotkey_text_win.h supplies it). Texts are UTF-8.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorvex {

constexpr std::uint16_t HotKeyKeyMask = 0x00FF;
constexpr std::uint16_t HotKeyWin = 0x1000;
constexpr std::uint16_t HotKeyShift = 0x2000;
constexpr std::uint16_t HotKeyCtrl = 0x4000;
constexpr std::uint16_t HotKeyAlt = 0x8000;

// Names of keys without a printable character, and the modifier prefixes.
extern const std::array<const char*, 19> HotKeyCaps;

// The platform's name of a virtual key; empty when the key has none.
using KeyNameFn = std::function<std::string(std::uint8_t vk)>;

// Modifier set as SplitHotKey reports it (Win is reported separately).
enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
};

struct THotKeyParts {
    std::uint16_t Key = 0;  // value & 0xFF
    unsigned Shift = 0;     // TShiftFlag bits
    bool Win = false;
};

THotKeyParts SplitHotKey(std::uint16_t value);

// Compact text. An unnamed key gives "" unless allowEmptyKey, in which case
// the modifier prefixes alone remain ("Ctrl+Alt+" or "").
std::string HotKeyToText(std::uint16_t value, bool allowEmptyKey, const KeyNameFn& keyName);

// Removes `prefix` from the front of `text` when it is there, letter case
// ignored; reports whether it did.
bool StripPrefix(std::string& text, std::string_view prefix);

// Parses the compact form: modifier prefixes ("Win+", "^", "Ctrl+", "Shift+",
// "Alt+") in any order, then a key name. 0 when no key is named.
//
// Letter case is compared for ASCII letters only: every fixed name and
// prefix is ASCII, and so are the platform key names of the keyboards the
// program runs with.
std::uint16_t TextToHotKey(std::string_view text, const KeyNameFn& keyName);

// Display form: the compact text (modifiers alone allowed) with every "+"
// shown as " + "; "无" when there is nothing to show.
std::string HotKeyDisplayText(std::uint16_t value, const KeyNameFn& keyName);

// A lookup that knows no platform names: enough for texts whose key has a
// fixed name (letters, digits, F-keys, the HotKeyCaps keys).
std::string NoKeyName(std::uint8_t vk);

}  // namespace quorvex
