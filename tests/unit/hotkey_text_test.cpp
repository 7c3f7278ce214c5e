// Hot-key values and their compact and display texts.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "hotkeys/hotkey_text.h"

namespace quorvex {
namespace {

// A keyboard driver stand-in: unique names for most keys the fixed table
// leaves to the platform, none for a few (as for keys without a scan code).
std::string FakeKeyName(std::uint8_t vk) {
    if (vk < 8 || vk % 11 == 0) return {};
    if (vk >= 0x60 && vk <= 0x69) return "Num " + std::to_string(vk - 0x60);
    char buf[16];
    std::snprintf(buf, sizeof buf, "Key%02X", vk);
    return buf;
}

TEST(HotKeyText, FixedKeyNames) {
    const std::map<std::uint8_t, std::string> expected = {
        {0x08, "BkSp"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"}, {0x21, "PgUp"},
        {0x22, "PgDn"}, {0x23, "End"}, {0x24, "Home"},  {0x25, "Left"}, {0x26, "Up"},    {0x27, "Right"},
        {0x28, "Down"}, {0x2D, "Ins"}, {0x2E, "Del"},   {0x30, "0"},    {0x39, "9"},     {0x41, "A"},
        {0x5A, "Z"},    {0x70, "F1"},  {0x7C, "F13"},   {0x87, "F24"},
    };
    for (const auto& [vk, name] : expected) {
        EXPECT_EQ(HotKeyToText(vk, false, FakeKeyName), name) << int(vk);
        EXPECT_EQ(HotKeyToText(vk, false, NoKeyName), name) << "fixed names need no lookup: " << int(vk);
    }
    // Just outside the fixed ranges the platform names the key.
    for (std::uint8_t vk : {0x0A, 0x1C, 0x29, 0x2F, 0x3A, 0x40, 0x5B, 0x60, 0x6F, 0x88})
        EXPECT_EQ(HotKeyToText(vk, false, FakeKeyName), FakeKeyName(vk)) << int(vk);
    EXPECT_EQ(HotKeyToText(0x65, false, FakeKeyName), "Num 5");
    EXPECT_EQ(HotKeyCaps.size(), 19u);
    EXPECT_STREQ(HotKeyCaps[15], "Shift+");
    EXPECT_STREQ(HotKeyCaps[18], "Win+");
}

TEST(HotKeyText, ModifierOrderAndEmptyKeys) {
    EXPECT_EQ(HotKeyToText(0x1053, false, NoKeyName), "Win+S");
    EXPECT_EQ(HotKeyToText(0xC053, false, NoKeyName), "Ctrl+Alt+S");
    EXPECT_EQ(HotKeyToText(0xF02E, false, NoKeyName), "Win+Ctrl+Shift+Alt+Del");
    EXPECT_EQ(HotKeyToText(0, false, NoKeyName), "");
    EXPECT_EQ(HotKeyToText(0, true, NoKeyName), "");
    // A key without a name: nothing, or the prefixes alone when allowed.
    EXPECT_EQ(HotKeyToText(0xC00B, false, FakeKeyName), "");
    EXPECT_EQ(HotKeyToText(0xC00B, true, FakeKeyName), "Ctrl+Alt+");
    EXPECT_EQ(HotKeyToText(0x1000, true, FakeKeyName), "Win+");
    EXPECT_EQ(HotKeyToText(0x1000, false, FakeKeyName), "");
    // Bits 8-11 carry nothing.
    EXPECT_EQ(HotKeyToText(0x4F53, false, NoKeyName), "Ctrl+S");
}

TEST(HotKeyText, ParsesCompactTexts) {
    EXPECT_EQ(TextToHotKey("Win+S", NoKeyName), 0x1053);
    EXPECT_EQ(TextToHotKey("Ctrl+Alt+S", NoKeyName), 0xC053);
    EXPECT_EQ(TextToHotKey("ctrl+alt+s", NoKeyName), 0xC053);
    EXPECT_EQ(TextToHotKey("ALT+CTRL+S", NoKeyName), 0xC053);
    EXPECT_EQ(TextToHotKey("Alt+Ctrl+S", NoKeyName), 0xC053);
    EXPECT_EQ(HotKeyToText(TextToHotKey("Alt+Ctrl+S", NoKeyName), false, NoKeyName), "Ctrl+Alt+S");
    EXPECT_EQ(TextToHotKey("^S", NoKeyName), 0x4053);
    EXPECT_EQ(TextToHotKey("^Ctrl+^S", NoKeyName), 0x4053);  // prefixes may repeat
    EXPECT_EQ(TextToHotKey("Shift+Win+F13", NoKeyName), 0x307C);
    EXPECT_EQ(TextToHotKey("f13", NoKeyName), 0x7C);
    EXPECT_EQ(TextToHotKey("Win+Ctrl+Shift+Alt+del", NoKeyName), 0xF02E);
    EXPECT_EQ(TextToHotKey("pgdn", NoKeyName), 0x22);
    EXPECT_EQ(TextToHotKey("7", NoKeyName), 0x37);
    EXPECT_EQ(TextToHotKey("Num 7", FakeKeyName), 0x67);
}

TEST(HotKeyText, TextsNamingNoKeyGiveZero) {
    for (const char* text : {"", "Ctrl+", "Win+", "^", "Ctrl+Alt+Shift+Win+", "Win + S", "S+", "Ctrl-S", "Foo",
                             "Ctrl+Foo", "F25", "SS", " S"})
        EXPECT_EQ(TextToHotKey(text, FakeKeyName), 0) << text;
    // Names the lookup does not know are not found without it.
    EXPECT_EQ(TextToHotKey("Num 7", NoKeyName), 0);
}

TEST(HotKeyText, CandidatesBeyondTheLowByteNameTheirLowByte) {
    // Codes below 8 are never candidates themselves; a name only they carry
    // is found through the candidates 0x100-0x107, as the loop runs to 597.
    auto lookup = [](std::uint8_t vk) { return vk == 3 ? std::string("Break") : std::string(); };
    EXPECT_EQ(TextToHotKey("Ctrl+Break", lookup), 0x4103);
}

TEST(HotKeyText, StripPrefix) {
    std::string text = "cTRL+x";
    EXPECT_TRUE(StripPrefix(text, "Ctrl+"));
    EXPECT_EQ(text, "x");
    EXPECT_FALSE(StripPrefix(text, "Ctrl+"));
    EXPECT_EQ(text, "x");
    text = "Ct";
    EXPECT_FALSE(StripPrefix(text, "Ctrl+"));
    EXPECT_EQ(text, "Ct");
    text = "Alt+";
    EXPECT_TRUE(StripPrefix(text, "ALT+"));
    EXPECT_EQ(text, "");
}

TEST(HotKeyText, SplitHotKey) {
    THotKeyParts p = SplitHotKey(0xF153);
    EXPECT_EQ(p.Key, 0x53);
    EXPECT_EQ(p.Shift, unsigned(ssShift | ssAlt | ssCtrl));
    EXPECT_TRUE(p.Win);
    p = SplitHotKey(0x1053);
    EXPECT_EQ(p.Key, 0x53);
    EXPECT_EQ(p.Shift, 0u);
    EXPECT_TRUE(p.Win);
    p = SplitHotKey(0xA070);
    EXPECT_EQ(p.Key, 0x70);
    EXPECT_EQ(p.Shift, unsigned(ssShift | ssAlt));
    EXPECT_FALSE(p.Win);
}

TEST(HotKeyText, DisplayForm) {
    EXPECT_EQ(HotKeyDisplayText(0x1053, NoKeyName), "Win + S");
    EXPECT_EQ(HotKeyDisplayText(0xC053, NoKeyName), "Ctrl + Alt + S");
    EXPECT_EQ(HotKeyDisplayText(0, NoKeyName), "无");
    EXPECT_EQ(HotKeyDisplayText(0x000B, FakeKeyName), "无");
    // Modifiers held before a key: the text ends in " + ".
    EXPECT_EQ(HotKeyDisplayText(0x5000, NoKeyName), "Win + Ctrl + ");
}

TEST(HotKeyText, EveryNamedValueRoundTrips) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> key(0, 255);
    std::uniform_int_distribution<int> mods(0, 15);
    int checked = 0;
    for (int i = 0; i < 3000; ++i) {
        const auto v = static_cast<std::uint16_t>((mods(rng) << 12) | key(rng));
        const std::string text = HotKeyToText(v, false, FakeKeyName);
        if (text.empty()) {
            EXPECT_EQ(TextToHotKey(text, FakeKeyName), 0);
            continue;
        }
        ++checked;
        ASSERT_EQ(TextToHotKey(text, FakeKeyName), v) << text;
        if (v & 0xF000)
            ASSERT_EQ(TextToHotKey(HotKeyDisplayText(v, FakeKeyName), FakeKeyName), 0)
                << "the display form is not parsed: " << text;
    }
    EXPECT_GT(checked, 2000);
}

}  // namespace
}  // namespace quorvex
