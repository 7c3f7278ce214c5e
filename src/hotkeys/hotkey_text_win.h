#pragma once
// Hot-key texts with the platform's key names (Windows side of
// hotkeys/hotkey_text.h). Texts are UTF-8; show them with tk::Utf8ToWide.
#include <cstdint>
#include <string>
#include <string_view>

#include "hotkeys/hotkey_text.h"

namespace quorvex {

// The keyboard driver's name of virtual key `vk` (MapVirtualKeyW to the scan
// code, then GetKeyNameTextW without the extended-key bit); empty when the key
// has no scan code or no name.
std::string KeyNameText(std::uint8_t vk);

// The conversions of hotkey_text.h with KeyNameText as the key-name lookup.
std::string HotKeyToText(std::uint16_t value, bool allowEmptyKey);
std::uint16_t TextToHotKey(std::string_view text);
std::string HotKeyDisplayText(std::uint16_t value);

}  // namespace quorvex
