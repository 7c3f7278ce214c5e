// Hot-key texts with the keyboard driver's key names.
#include <gtest/gtest.h>

#include <windows.h>

#include "hotkeys/hotkey_text_win.h"

namespace quorvex {
namespace {

TEST(HotKeyNames, KeypadDigitsTakeTheDriversNames) {
    std::string seen;
    for (std::uint8_t vk = VK_NUMPAD0; vk <= VK_NUMPAD9; ++vk) {
        const std::string name = KeyNameText(vk);
        const std::string text = HotKeyToText(vk, false);
        seen += "'" + name + "' ";
        EXPECT_EQ(text, name) << int(vk);
        EXPECT_NE(text, std::string(1, static_cast<char>('0' + vk - VK_NUMPAD0))) << "not the digit: " << int(vk);
        if (name.empty()) {
            // A layout that gives the keypad no scan codes of its own (as
            // Wine's X11 keyboard does): the key cannot be written down.
            EXPECT_EQ(HotKeyToText(static_cast<std::uint16_t>(HotKeyCtrl | vk), true), "Ctrl+");
            EXPECT_EQ(HotKeyToText(static_cast<std::uint16_t>(HotKeyCtrl | vk), false), "");
        } else {
            // The text reads back to a key of the same name (keys sharing a
            // scan code, like Num 5 and Clear, share it too).
            const std::uint16_t back = TextToHotKey("Shift+" + text);
            EXPECT_EQ(back & 0xF000, HotKeyShift);
            EXPECT_EQ(HotKeyToText(back, false), "Shift+" + text);
        }
    }
    RecordProperty("keypad_names", seen);
}

TEST(HotKeyNames, FixedNamesWinOverTheDriver) {
    EXPECT_FALSE(KeyNameText(VK_BACK).empty());
    EXPECT_EQ(HotKeyToText(VK_BACK, false), "BkSp");
    EXPECT_EQ(HotKeyToText(VK_DELETE, false), "Del");
    EXPECT_EQ(KeyNameText(0), "") << "no scan code, no name";
    EXPECT_EQ(TextToHotKey("Win+S"), 0x1053);
    EXPECT_EQ(TextToHotKey("Ctrl+Alt+S"), 0xC053);
    EXPECT_EQ(HotKeyToText(0x1053, false), "Win+S");
    EXPECT_EQ(HotKeyDisplayText(0xC053), "Ctrl + Alt + S");
    EXPECT_EQ(HotKeyDisplayText(0), "无");
}

TEST(HotKeyNames, EveryNamedKeyReadsBackToTheSameText) {
    int named = 0;
    for (int vk = 0; vk < 256; ++vk) {
        const auto v = static_cast<std::uint16_t>((vk % 16) << 12 | vk);
        const std::string text = HotKeyToText(v, false);
        if (text.empty()) continue;
        ++named;
        const std::uint16_t back = TextToHotKey(text);
        ASSERT_NE(back, 0) << text;
        EXPECT_EQ(back & 0xF000, v & 0xF000) << text;
        EXPECT_EQ(HotKeyToText(back, false), text) << std::hex << vk;
        // Where the name is the key's own, the value itself comes back.
        bool unique = true;
        for (int other = 8; other < vk && unique; ++other)
            unique = HotKeyToText(static_cast<std::uint16_t>(other), false) !=
                     HotKeyToText(static_cast<std::uint16_t>(vk), false);
        if (unique && vk >= 8) EXPECT_EQ(back, v) << text;
    }
    EXPECT_GT(named, 80);
}

}  // namespace
}  // namespace quorvex
