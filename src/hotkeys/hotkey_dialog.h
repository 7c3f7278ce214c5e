#pragma once
// The decisions of the hot-key dialog, apart from its window: which radio
// button a stored hot key selects, the duplicate check, what the launch
// shortcut receives and whether it must be rewritten.
#include <cstdint>
#include <string>

#include "hotkeys/hotkey_text.h"

namespace quorvex {

// The two defaults in compact form.
constexpr const char* StartDefaultHotKeyText = "Ctrl+Alt+S";
constexpr const char* TrayDefaultHotKeyText = "Win+S";
// Shown next to the default radio buttons.
constexpr const char* StartDefaultHotKeyLabel = "Ctrl + Alt + S";
constexpr const char* TrayDefaultHotKeyLabel = "Win + S";
constexpr const char* DuplicateHotKeyMessage = "热键定义重复，请重新设置！";
// The minimise/restore key shown is held by another program.
constexpr const char* TakenHotKeyStatus = "该热键已被其他程序占用";
constexpr const char* TakenHotKeyMessage = "该热键已被其他程序占用，请重新设置！";

// A link's hot key (key code, HOTKEYF_* set) as a hot-key value; the
// extended-key flag has no bit and is dropped.
std::uint16_t HotKeyFromShortcut(std::uint16_t key, std::uint8_t modifiers);

struct TShortcutHotKey {
    std::uint16_t Key = 0;       // the value without its Shift, Ctrl and Alt bits
    std::uint8_t Modifiers = 0;  // HOTKEYF_SHIFT / CONTROL / ALT
    bool operator==(const TShortcutHotKey& o) const { return Key == o.Key && Modifiers == o.Modifiers; }
    bool operator!=(const TShortcutHotKey& o) const { return !(*this == o); }
};
TShortcutHotKey ShortcutFromHotKey(std::uint16_t value);

// Case-insensitive equality of two compact texts.
bool SameHotKeyText(const std::string& a, const std::string& b);

class THotKeyDialogRules {
public:
    explicit THotKeyDialogRules(KeyNameFn keyName) : FKeyName(std::move(keyName)) {}

    std::string Text(std::uint16_t value) const { return HotKeyToText(value, false, FKeyName); }
    // The stored value is the default: the default radio button is checked.
    bool IsStartDefault(std::uint16_t value) const { return SameHotKeyText(Text(value), StartDefaultHotKeyText); }
    bool IsTrayDefault(std::uint16_t value) const { return SameHotKeyText(Text(value), TrayDefaultHotKeyText); }
    // A box that is disabled stands for its default. True when both name the
    // same key; an empty start text never clashes.
    bool Clash(bool startCustom, std::uint16_t startValue, bool trayCustom, std::uint16_t trayValue) const;
    // What OK stores: the default's value, or the box's.
    std::uint16_t StartValue(bool startDefault, std::uint16_t boxValue) const;
    std::uint16_t TrayValue(bool trayDefault, std::uint16_t boxValue) const;

private:
    KeyNameFn FKeyName;
};

}  // namespace quorvex
