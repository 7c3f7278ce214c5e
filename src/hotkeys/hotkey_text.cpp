#include "hotkeys/hotkey_text.h"

#include <cctype>

#include "search/query_encoding.h"

namespace quorvex {

const std::array<const char*, 19> HotKeyCaps = {
    "BkSp", "Tab",   "Esc",  "Enter", "Space", "PgUp",   "PgDn",  "End",  "Home", "Left",
    "Up",   "Right", "Down", "Ins",   "Del",   "Shift+", "Ctrl+", "Alt+", "Win+",
};

THotKeyParts SplitHotKey(std::uint16_t value) {
    THotKeyParts parts;
    parts.Key = static_cast<std::uint16_t>(value & HotKeyKeyMask);
    if (value & HotKeyShift) parts.Shift |= ssShift;
    if (value & HotKeyAlt) parts.Shift |= ssAlt;
    if (value & HotKeyCtrl) parts.Shift |= ssCtrl;
    parts.Win = (value & HotKeyWin) != 0;
    return parts;
}

namespace {

std::string KeyName(std::uint8_t k, const KeyNameFn& keyName) {
    if (k == 0x08 || k == 0x09) return HotKeyCaps[k - 0x08];
    if (k == 0x0D) return HotKeyCaps[3];
    if (k == 0x1B) return HotKeyCaps[2];
    if (k >= 0x20 && k <= 0x28) return HotKeyCaps[k - 0x1C];
    if (k == 0x2D || k == 0x2E) return HotKeyCaps[k - 0x20];
    if ((k >= 0x30 && k <= 0x39) || (k >= 0x41 && k <= 0x5A)) return std::string(1, static_cast<char>(k));
    if (k >= 0x70 && k <= 0x87) return "F" + std::to_string(k - 0x6F);
    // Everything else, the numeric-keypad digits included, is named by the platform.
    return keyName ? keyName(k) : std::string();
}

}  // namespace

std::string HotKeyToText(std::uint16_t value, bool allowEmptyKey, const KeyNameFn& keyName) {
    std::string name = KeyName(static_cast<std::uint8_t>(value & HotKeyKeyMask), keyName);
    if (!allowEmptyKey && name.empty()) return {};
    std::string text;
    if (value & HotKeyWin) text += HotKeyCaps[18];
    if (value & HotKeyCtrl) text += HotKeyCaps[16];
    if (value & HotKeyShift) text += HotKeyCaps[15];
    if (value & HotKeyAlt) text += HotKeyCaps[17];
    return text + name;
}

bool StripPrefix(std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    if (!SameTextAscii(std::string_view(text).substr(0, prefix.size()), prefix)) return false;
    text.erase(0, prefix.size());
    return true;
}

std::uint16_t TextToHotKey(std::string_view text, const KeyNameFn& keyName) {
    struct Prefix {
        const char* text;
        std::uint16_t flag;
    };
    static const Prefix prefixes[] = {
        {"Win+", HotKeyWin}, {"^", HotKeyCtrl}, {"Ctrl+", HotKeyCtrl}, {"Shift+", HotKeyShift}, {"Alt+", HotKeyAlt},
    };
    std::string rest(text);
    std::uint16_t flags = 0;
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const Prefix& p : prefixes) {
            if (StripPrefix(rest, p.text)) {
                flags |= p.flag;
                stripped = true;
                break;  // start the list again from "Win+"
            }
        }
    }
    if (rest.empty()) return 0;
    // Candidates run past 0xFF; those name their low byte, so the first
    // match below 0x100 wins whenever there is one.
    for (unsigned c = 8; c <= 597; ++c) {
        const auto candidate = static_cast<std::uint16_t>(c);
        if (SameTextAscii(rest, HotKeyToText(candidate, false, keyName)))
            return static_cast<std::uint16_t>(candidate | flags);
    }
    return 0;
}

std::string HotKeyDisplayText(std::uint16_t value, const KeyNameFn& keyName) {
    const std::string compact = HotKeyToText(value, true, keyName);
    if (compact.empty()) return "\xE6\x97\xA0";  // 无
    std::string shown;
    for (char ch : compact) {
        if (ch == '+') shown += " + ";
        else shown += ch;
    }
    return shown;
}

std::string NoKeyName(std::uint8_t) { return {}; }

}  // namespace quorvex
