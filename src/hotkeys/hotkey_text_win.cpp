#include "hotkeys/hotkey_text_win.h"

#include <windows.h>

#include "toolkit/text.h"

namespace quorvex {

std::string KeyNameText(std::uint8_t vk) {
    const UINT scanCode = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    if (scanCode == 0) return {};
    wchar_t buffer[64] = {};
    // Neither bit 24 (extended key) nor bit 25 (left/right alike) is set.
    const int n = GetKeyNameTextW(static_cast<LONG>(scanCode << 16), buffer, 64);
    if (n <= 0) return {};
    return tk::WideToUtf8(std::wstring_view(buffer, static_cast<std::size_t>(n)));
}

std::string HotKeyToText(std::uint16_t value, bool allowEmptyKey) {
    return HotKeyToText(value, allowEmptyKey, KeyNameText);
}

std::uint16_t TextToHotKey(std::string_view text) { return TextToHotKey(text, KeyNameText); }

std::string HotKeyDisplayText(std::uint16_t value) { return HotKeyDisplayText(value, KeyNameText); }

}  // namespace quorvex
