// The rules of the custom buttons dialog and of the hot-key dialog.
#include <gtest/gtest.h>

#include <vector>

#include "base/error.h"
#include "hotkeys/hotkey_dialog.h"
#include "widgets/custom_buttons.h"
#include "widgets/dialog_placement.h"

namespace quorvex {
namespace {

std::vector<bool> Enabled(const TCustomButtonItems& items) {
    std::vector<bool> out;
    for (const auto& item : items.Items()) out.push_back(item.Enabled);
    return out;
}

TEST(CustomButtonItems, FilledInTableOrderWithTicksFromTheMask) {
    TCustomButtonItems items(1 | 8 | 1024 | 4096);
    ASSERT_EQ(items.Items().size(), 11u);
    const char* captions[] = {"网页", "MP3", "歌词", "图片", "新闻", "贴吧", "词典", "图书", "电影", "游戏", "软件"};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(items.Items()[i].Caption, captions[i]);
        EXPECT_EQ(items.Items()[i].Bit, 1 << i);
        EXPECT_EQ(items.Items()[i].Checked, i == 0 || i == 3 || i == 10) << i;
    }
    // Bits outside the table are dropped when the mask is rebuilt.
    EXPECT_EQ(items.Mask(), 1 | 8 | 1024);
}

TEST(CustomButtonItems, TheLastTickedItemCannotBeUnticked) {
    TCustomButtonItems items(1);
    EXPECT_FALSE(items.Items()[0].Enabled);
    EXPECT_FALSE(items.Toggle(0));
    EXPECT_TRUE(items.Items()[0].Checked);

    // Ticking 图片 enables 网页 again: mask 9.
    ASSERT_TRUE(items.Toggle(3));
    items.ApplyLastItemRule();
    EXPECT_EQ(items.Mask(), 9);
    EXPECT_EQ(Enabled(items), std::vector<bool>(11, true));

    // From all eleven, untick ten: the remaining one is greyed.
    TCustomButtonItems all(2047);
    EXPECT_EQ(all.CheckedCount(), 11);
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(all.Toggle(i));
        all.ApplyLastItemRule();
    }
    EXPECT_EQ(all.Mask(), 1024);
    EXPECT_FALSE(all.Items()[10].Enabled);
    EXPECT_FALSE(all.Toggle(10));
    EXPECT_FALSE(all.Toggle(11));
    EXPECT_FALSE(all.Toggle(-1));
}

TEST(CustomButtonItems, NoTickedItemGreysNothingUntilTheFirstTick) {
    TCustomButtonItems items(4096);
    EXPECT_EQ(items.CheckedCount(), 0);
    EXPECT_EQ(Enabled(items), std::vector<bool>(11, true));
    ASSERT_TRUE(items.Toggle(5));
    items.ApplyLastItemRule();
    EXPECT_FALSE(items.Items()[5].Enabled);
    EXPECT_EQ(items.Mask(), 32);
}

TEST(DialogPlacement, AboveWhenThereIsRoomOtherwiseBelow) {
    EXPECT_EQ(DialogTopNextToBar(500, 55, 118), 382);
    EXPECT_EQ(DialogTopNextToBar(119, 55, 118), 1);
    EXPECT_EQ(DialogTopNextToBar(118, 55, 118), 173);  // equal: below
    EXPECT_EQ(DialogTopNextToBar(0, 55, 118), 55);
    EXPECT_EQ(DialogTopNextToBar(-20, 55, 118), 35);
    EXPECT_THROW(DialogTopNextToBar(2147483647 - 10, 55, -100), RangeError);
}

TEST(HotKeyDialogRules, ShortcutValuesAndTheirSplit) {
    EXPECT_EQ(HotKeyFromShortcut('S', 0x02 | 0x04), 0xC053);
    EXPECT_EQ(HotKeyFromShortcut('S', 0x01 | 0x08), 0x2053);  // extended flag dropped
    EXPECT_EQ(HotKeyFromShortcut(0, 0), 0);
    EXPECT_EQ(ShortcutFromHotKey(0xC053), (TShortcutHotKey{'S', 0x06}));
    EXPECT_EQ(ShortcutFromHotKey(0x2041), (TShortcutHotKey{'A', 0x01}));
    EXPECT_EQ(ShortcutFromHotKey(0), (TShortcutHotKey{0, 0}));
}

TEST(HotKeyDialogRules, DefaultsAndTheDuplicateCheck) {
    THotKeyDialogRules rules(NoKeyName);
    EXPECT_TRUE(rules.IsStartDefault(0xC053));
    EXPECT_FALSE(rules.IsStartDefault(0));
    EXPECT_FALSE(rules.IsStartDefault(0xC041));
    EXPECT_TRUE(rules.IsTrayDefault(0x1053));
    EXPECT_FALSE(rules.IsTrayDefault(0x0053));
    EXPECT_TRUE(SameHotKeyText("ctrl+alt+s", "Ctrl+Alt+S"));

    // Start default + custom tray Ctrl+Alt+S clash; two different keys pass.
    EXPECT_TRUE(rules.Clash(false, 0, true, 0xC053));
    EXPECT_FALSE(rules.Clash(false, 0, false, 0));
    EXPECT_FALSE(rules.Clash(true, 0xC041, true, 0xC042));
    EXPECT_TRUE(rules.Clash(true, 0x1053, false, 0));
    // An empty custom start box never clashes, even with an empty tray box.
    EXPECT_FALSE(rules.Clash(true, 0, true, 0));

    EXPECT_EQ(rules.StartValue(true, 0x41), 0xC053);
    EXPECT_EQ(rules.StartValue(false, 0x41), 0x41);
    EXPECT_EQ(rules.TrayValue(true, 0), 0x1053);
    EXPECT_EQ(rules.TrayValue(false, 0x1041), 0x1041);
}

}  // namespace
}  // namespace quorvex
