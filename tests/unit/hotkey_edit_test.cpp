// The hot-key edit box's Windows-key handling, driven by the same event
// sequences the keyboard hook and the platform control produce.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/hotkey_edit_state.h"

namespace quorvex {
namespace {

std::string LetterText(std::uint16_t value, bool allowEmptyKey) {
    return HotKeyToText(value, allowEmptyKey, NoKeyName);
}

// The platform control as the state machine sees it: one word, written and
// read through the conversions HKM_SETHOTKEY / HKM_GETHOTKEY use.
struct Box {
    std::uint16_t word = 0;
    int repaints = 0;
    int changes = 0;
    THotKeyEditState edit{THotKeyEditState::Base{[this] { return HotKeyFromBaseWord(word); },
                                                 [this](std::uint16_t v) { word = BaseHotKeyWord(SplitBaseHotKey(v)); },
                                                 [this] { ++repaints; }, [this] { ++changes; }}};

    // A key going down and up in the platform control (no modifiers held).
    void PressKey(std::uint8_t vk) {
        edit.KeyDown(vk);
        word = vk;  // the platform control takes the key
    }
    void ReleaseKey(std::uint8_t vk) { edit.KeyUp(vk); }
    std::string Text() const { return edit.DisplayText(LetterText); }
};

TEST(HotKeyBaseConversion, WriteAndReadBack) {
    // Ctrl+Alt+S: flags Control|Alt in the high byte.
    EXPECT_EQ(BaseHotKeyWord(SplitBaseHotKey(0xC053)), 0x0653);
    EXPECT_EQ(HotKeyFromBaseWord(0x0653), 0xC053);
    // Shift maps to 0x2000; the extended flag is lost on reading.
    EXPECT_EQ(HotKeyFromBaseWord(0x0141), 0x2041);
    EXPECT_EQ(HotKeyFromBaseWord(0x0841), 0x0041);
    // The Win bit never reaches the platform control.
    EXPECT_EQ(BaseHotKeyWord(SplitBaseHotKey(0x1053)), 0x0053);
    EXPECT_EQ(SplitBaseHotKey(0x1053).Key, 0x1053);  // value and 0x1FFF
}

TEST(HotKeyDisplayForm, EmptyIsNoneAndPlusIsSpaced) {
    EXPECT_EQ(DisplayFormOf(""), "无");
    EXPECT_EQ(DisplayFormOf("Win+S"), "Win + S");
    EXPECT_EQ(DisplayFormOf("Ctrl+Alt+"), "Ctrl + Alt + ");
    Box box;
    EXPECT_EQ(box.Text(), "无");
    box.word = 0x0600;  // Ctrl and Alt held, no key yet
    EXPECT_EQ(box.Text(), "Ctrl + Alt + ");
}

TEST(HotKeyEditState, WinHeldThenSGivesWinS) {
    Box box;
    box.edit.WinKeyMessage(KeyMsgDown);
    EXPECT_EQ(box.Text(), "Win + ");
    box.edit.WinKeyMessage(KeyMsgDown);  // auto-repeat changes nothing more
    box.PressKey('S');
    box.ReleaseKey('S');
    box.edit.WinKeyMessage(KeyMsgUp);
    EXPECT_EQ(box.edit.HotKey(), 0x1053);
    EXPECT_EQ(box.Text(), "Win + S");
    EXPECT_FALSE(box.edit.WinKeyDown());
    // Down announced once (Win flag cleared), the up with Win kept announced too.
    EXPECT_EQ(box.changes, 2);
}

TEST(HotKeyEditState, WinReleasedBeforeTheKeyLeavesTheKeyAlone) {
    Box box;
    box.edit.WinKeyMessage(KeyMsgSysDown);
    box.PressKey('S');
    box.edit.WinKeyMessage(KeyMsgSysUp);
    EXPECT_EQ(box.edit.HotKey(), 0x1053);  // still Win until S is released
    box.ReleaseKey('S');
    EXPECT_EQ(box.edit.HotKey(), 0x0053);
    EXPECT_EQ(box.Text(), "S");
}

TEST(HotKeyEditState, WinAloneClearsThePreviousKey) {
    Box box;
    box.edit.SetHotKey(0xC053);
    EXPECT_EQ(box.Text(), "Ctrl + Alt + S");
    box.edit.WinKeyMessage(KeyMsgDown);
    EXPECT_EQ(box.word, 0);
    EXPECT_EQ(box.Text(), "Win + ");
    box.edit.WinKeyMessage(KeyMsgUp);
    EXPECT_EQ(box.Text(), "无");
    EXPECT_EQ(box.edit.HotKey(), 0);

    // A complete Win combination is replaced when Win goes down again.
    box.edit.SetHotKey(0x1053);
    box.edit.WinKeyMessage(KeyMsgDown);
    EXPECT_FALSE(box.edit.WinKey());
    EXPECT_EQ(box.edit.HotKey(), 0);
    // Releasing Win after the clear: Win was not part of a value, nothing to announce.
    const int changes = box.changes;
    box.edit.WinKeyMessage(KeyMsgUp);
    EXPECT_EQ(box.changes, changes);
}

TEST(HotKeyEditState, ModifierReleasesDoNotTouchTheWinFlag) {
    Box box;
    box.edit.WinKeyMessage(KeyMsgDown);
    box.PressKey('S');
    box.edit.WinKeyMessage(KeyMsgUp);
    for (unsigned vk : {0x10u, 0x11u, 0x12u}) box.edit.KeyUp(vk);
    EXPECT_TRUE(box.edit.WinKey());
    box.edit.KeyUp('S');
    EXPECT_FALSE(box.edit.WinKey());
}

TEST(HotKeyEditState, DisallowedWinKeyChangesNothing) {
    Box box;
    box.edit.AllowWinKey = false;
    box.edit.SetHotKey(0xC053);
    const int repaints = box.repaints;
    box.edit.WinKeyMessage(KeyMsgDown);
    box.edit.WinKeyMessage(KeyMsgUp);
    EXPECT_EQ(box.edit.HotKey(), 0xC053);
    EXPECT_FALSE(box.edit.WinKeyDown());
    EXPECT_EQ(box.repaints, repaints);
    EXPECT_EQ(box.changes, 0);
}

TEST(HotKeyEditState, WritingBit12ShowsWinAndFocusExitForgetsTheHeldKey) {
    Box box;
    box.edit.SetHotKey(0x1053);
    EXPECT_TRUE(box.edit.WinKey());
    EXPECT_EQ(box.word, 0x0053);
    EXPECT_EQ(box.Text(), "Win + S");
    box.edit.SetHotKey(0x0053);
    EXPECT_EQ(box.Text(), "S");

    box.edit.WinKeyMessage(KeyMsgDown);
    box.edit.FocusExit();
    EXPECT_FALSE(box.edit.WinKeyDown());
    EXPECT_EQ(box.Text(), "无");
}

TEST(HotKeyEditState, OnlyTheReleaseOfASeenPressSettlesTheWinFlag) {
    // Opened with Win+Q while the menu letter K is still held: its release,
    // and that of a modifier, leave the value alone.
    Box box;
    box.edit.SetHotKey(0x1051);
    box.ReleaseKey('K');
    EXPECT_EQ(box.edit.HotKey(), 0x1051);
    EXPECT_EQ(box.Text(), "Win + Q");

    // A key pressed while the box has the focus still settles it on release,
    // and only once: a second release of the same key is stray again.
    box.edit.WinKeyMessage(KeyMsgDown);
    box.PressKey('T');
    box.edit.WinKeyMessage(KeyMsgUp);
    box.ReleaseKey('K');
    EXPECT_EQ(box.edit.HotKey(), 0x1054);
    box.ReleaseKey('T');
    EXPECT_EQ(box.edit.HotKey(), 0x0054);
    box.edit.SetHotKey(0x1054);
    box.ReleaseKey('T');
    EXPECT_EQ(box.edit.HotKey(), 0x1054);

    // Leaving the box forgets the press: a release after coming back is stray.
    box.edit.WinKeyMessage(KeyMsgDown);
    box.PressKey('U');
    box.edit.FocusExit();
    box.edit.SetHotKey(0x1055);
    box.ReleaseKey('U');
    EXPECT_EQ(box.edit.HotKey(), 0x1055);
}

}  // namespace
}  // namespace quorvex
