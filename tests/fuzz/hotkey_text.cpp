// Hot-key texts: any bytes parsed as the compact form, and the value in the
// input's first two bytes turned into text and parsed back. The platform's
// key names are those of a US keyboard.
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "hotkeys/hotkey_text.h"
#include "search/query_encoding.h"

using namespace quorvex;

namespace {

// What the platform names on a US keyboard, for keys without a fixed name.
std::string UsKeyName(std::uint8_t vk) {
    if (vk >= 0x60 && vk <= 0x69) return "Num " + std::to_string(vk - 0x60);
    switch (vk) {
    case 0x10:
        return "Shift";
    case 0x11:
        return "Ctrl";
    case 0x12:
        return "Alt";
    case 0x13:
        return "Pause";
    case 0x14:
        return "Caps Lock";
    case 0x6A:
        return "Num *";
    case 0x6B:
        return "Num +";
    case 0x6D:
        return "Num -";
    case 0x6E:
        return "Num Del";
    case 0x6F:
        return "/";
    case 0x90:
        return "Num Lock";
    case 0x91:
        return "Scroll Lock";
    case 0xBA:
        return ";";
    case 0xBB:
        return "=";
    case 0xBC:
        return ",";
    case 0xBD:
        return "-";
    case 0xBE:
        return ".";
    case 0xC0:
        return "`";
    case 0xDB:
        return "[";
    case 0xDC:
        return "\\";
    case 0xDD:
        return "]";
    case 0xDE:
        return "'";
    default:
        return {};
    }
}

const KeyNameFn KeyNames = UsKeyName;

constexpr std::uint16_t Modifiers = HotKeyWin | HotKeyShift | HotKeyCtrl | HotKeyAlt;

std::string AsciiCase(std::string text, bool upper) {
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool Contains(const std::string& lower, std::string_view part) { return lower.find(part) != std::string::npos; }

void CheckParsedText(std::string_view text) {
    const std::uint16_t value = TextToHotKey(text, KeyNames);
    if (value == 0) return;
    // Only the key byte and the modifiers: the platform names no key below 8.
    FUZZ_CHECK((value & ~(Modifiers | HotKeyKeyMask)) == 0);
    FUZZ_CHECK((value & HotKeyKeyMask) >= 8);
    // The value's own text names the same hot key ...
    const std::string compact = HotKeyToText(value, false, KeyNames);
    FUZZ_CHECK(!compact.empty());
    FUZZ_CHECK(TextToHotKey(compact, KeyNames) == value);
    // ... with the key named last in the text and every modifier written in it.
    const std::string key = HotKeyToText(value & HotKeyKeyMask, false, KeyNames);
    FUZZ_CHECK(text.size() >= key.size() && SameTextAscii(text.substr(text.size() - key.size()), key));
    const std::string lower = AsciiCase(std::string(text), false);
    if (value & HotKeyWin) FUZZ_CHECK(Contains(lower, "win+"));
    if (value & HotKeyCtrl) FUZZ_CHECK(Contains(lower, "ctrl+") || Contains(lower, "^"));
    if (value & HotKeyShift) FUZZ_CHECK(Contains(lower, "shift+"));
    if (value & HotKeyAlt) FUZZ_CHECK(Contains(lower, "alt+"));
}

void CheckValueText(std::uint16_t value) {
    const std::string text = HotKeyToText(value, false, KeyNames);
    const std::string withEmptyKey = HotKeyToText(value, true, KeyNames);
    // The modifier prefixes, then the key's name (bits 8-11 carry nothing).
    FUZZ_CHECK(withEmptyKey ==
               HotKeyToText(value & Modifiers, true, KeyNames) + HotKeyToText(value & HotKeyKeyMask, true, KeyNames));
    FUZZ_CHECK(text.empty() || text == withEmptyKey);
    const std::string shown = HotKeyDisplayText(value, KeyNames);
    FUZZ_CHECK(!shown.empty());
    FUZZ_CHECK((shown == "\xE6\x97\xA0") == withEmptyKey.empty());
    if (text.empty()) return;
    // A named key reads back in any letter case; the display form is not the compact one.
    const auto canonical = static_cast<std::uint16_t>(value & (Modifiers | HotKeyKeyMask));
    FUZZ_CHECK(TextToHotKey(text, KeyNames) == canonical);
    FUZZ_CHECK(TextToHotKey(AsciiCase(text, false), KeyNames) == canonical);
    FUZZ_CHECK(TextToHotKey(AsciiCase(text, true), KeyNames) == canonical);
    if (value & Modifiers) FUZZ_CHECK(TextToHotKey(shown, KeyNames) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckParsedText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= 2) CheckValueText(static_cast<std::uint16_t>(data[0] | data[1] << 8));
    return 0;
}
