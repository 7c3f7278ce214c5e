#include "hotkeys/hotkey_dialog.h"

namespace quorvex {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::uint16_t HotKeyFromShortcut(std::uint16_t key, std::uint8_t modifiers) {
    unsigned value = key;
    if (modifiers & 0x01) value += HotKeyShift;
    if (modifiers & 0x02) value += HotKeyCtrl;
    if (modifiers & 0x04) value += HotKeyAlt;
    return static_cast<std::uint16_t>(value);
}

TShortcutHotKey ShortcutFromHotKey(std::uint16_t value) {
    TShortcutHotKey link;
    link.Key = static_cast<std::uint16_t>(value & ~(HotKeyShift | HotKeyCtrl | HotKeyAlt));
    if (value & HotKeyShift) link.Modifiers |= 0x01;
    if (value & HotKeyCtrl) link.Modifiers |= 0x02;
    if (value & HotKeyAlt) link.Modifiers |= 0x04;
    return link;
}

bool SameHotKeyText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool THotKeyDialogRules::Clash(bool startCustom, std::uint16_t startValue, bool trayCustom,
                               std::uint16_t trayValue) const {
    const std::string start = startCustom ? Text(startValue) : StartDefaultHotKeyText;
    const std::string tray = trayCustom ? Text(trayValue) : TrayDefaultHotKeyText;
    return !start.empty() && SameHotKeyText(start, tray);
}

std::uint16_t THotKeyDialogRules::StartValue(bool startDefault, std::uint16_t boxValue) const {
    return startDefault ? TextToHotKey(StartDefaultHotKeyText, FKeyName) : boxValue;
}

std::uint16_t THotKeyDialogRules::TrayValue(bool trayDefault, std::uint16_t boxValue) const {
    return trayDefault ? TextToHotKey(TrayDefaultHotKeyText, FKeyName) : boxValue;
}

}  // namespace quorvex
