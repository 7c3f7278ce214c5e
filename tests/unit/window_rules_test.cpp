// The bar's window-level rules: hot-key flags and dispatch, the drag strip,
// and the opacity decision on (de)activation.
#include <gtest/gtest.h>

#include "bar/window_rules.h"
#include "hotkeys/tray_hotkey.h"

namespace quorvex {
namespace {

TEST(TrayHotKeyFlags, ModifierBitsBecomeRegistrationFlags) {
    // Ctrl+Alt+S
    EXPECT_EQ(HotKeyToRegistration(0x4000 + 0x8000 + 0x53), (HotKeyRegistration{0x0003, 0x53}));
    // Win+S, the default
    EXPECT_EQ(HotKeyToRegistration(0x1053), (HotKeyRegistration{0x0008, 0x53}));
    EXPECT_EQ(HotKeyToRegistration(0x2070), (HotKeyRegistration{ModShift, 0x70}));
    EXPECT_EQ(HotKeyToRegistration(0xF041), (HotKeyRegistration{ModAlt | ModControl | ModShift | ModWin, 0x41}));
    EXPECT_EQ(HotKeyToRegistration(0x0020), (HotKeyRegistration{0, 0x20}));
    // Bits 8-11 carry nothing and never leak into key or flags.
    EXPECT_EQ(HotKeyToRegistration(0x0F53), (HotKeyRegistration{0, 0x53}));
    EXPECT_EQ(HotKeyToRegistration(0x1FFF), (HotKeyRegistration{ModWin, 0xFF}));
}

TEST(TrayHotKeyDispatch, FirstApplicableCaseWins) {
    const std::uint32_t id = 0xC123;
    struct Case {
        bool tray, iconic, visible;
        HotKeyAction expected;
    } cases[] = {
        {true, true, true, HotKeyAction::RestoreFromTray},
        {true, false, false, HotKeyAction::RestoreFromTray},
        {false, true, true, HotKeyAction::RestoreFromMinimised},
        {false, true, false, HotKeyAction::RestoreFromMinimised},
        {false, false, true, HotKeyAction::Minimise},
        {false, false, false, HotKeyAction::None},
    };
    for (const Case& c : cases) {
        HotKeyState s{id, c.tray, c.iconic, c.visible};
        EXPECT_EQ(HotKeyActionName(DecideHotKeyAction(id, s)), HotKeyActionName(c.expected))
            << "tray " << c.tray << " iconic " << c.iconic << " visible " << c.visible;
    }
}

TEST(TrayHotKeyDispatch, ForeignOrMissingIdsChangeNothing) {
    HotKeyState s{0xC123, true, true, true};
    EXPECT_EQ(DecideHotKeyAction(0xC124, s), HotKeyAction::None);
    EXPECT_EQ(DecideHotKeyAction(0, s), HotKeyAction::None);
    EXPECT_EQ(DecideHotKeyAction(0xFFFFFFFEu, s), HotKeyAction::None);  // system snap ids
    // Nothing registered: not even id 0 counts as ours.
    HotKeyState none{0, true, true, true};
    EXPECT_EQ(DecideHotKeyAction(0, none), HotKeyAction::None);
}

TEST(DragZone, TopStripWithoutTheButtonCorner) {
    const int w = 400;
    EXPECT_TRUE(InDragZone(0, 0, w));
    EXPECT_TRUE(InDragZone(0, 19, w));
    EXPECT_FALSE(InDragZone(0, 20, w));
    EXPECT_TRUE(InDragZone(w - 61, 0, w));
    EXPECT_FALSE(InDragZone(w - 60, 0, w));
    EXPECT_FALSE(InDragZone(w - 1, 5, w));
    EXPECT_FALSE(InDragZone(-1, 5, w));
    EXPECT_FALSE(InDragZone(5, -1, w));
    // Too narrow for any strip, and extreme widths, without wrap-around.
    EXPECT_FALSE(InDragZone(0, 0, 60));
    EXPECT_FALSE(InDragZone(0, 0, 0));
    EXPECT_FALSE(InDragZone(0, 0, -2147483647 - 1));
    EXPECT_TRUE(InDragZone(2147483586, 0, 2147483647));
    EXPECT_FALSE(InDragZone(2147483587, 0, 2147483647));
}

TEST(DragZone, HitTestTurnsOnlyClientIntoCaption) {
    EXPECT_EQ(BarHitTest(HitClient, true), HitCaption);
    EXPECT_EQ(BarHitTest(HitClient, false), HitClient);
    for (long other : {0L, 2L, 3L, 8L, 20L, -1L, -2L}) {  // nowhere, caption, menu, min, close...
        EXPECT_EQ(BarHitTest(other, true), other);
        EXPECT_EQ(BarHitTest(other, false), other);
    }
}

TEST(Dimming, ActivationDecision) {
    EXPECT_EQ(DecideActivateApp(1, true, false), ActivateAction::Opaque);
    EXPECT_EQ(DecideActivateApp(1, true, true), ActivateAction::Opaque);
    EXPECT_EQ(DecideActivateApp(1, false, true), ActivateAction::BringUpForm);
    EXPECT_EQ(DecideActivateApp(1, false, false), ActivateAction::Nothing);
    for (std::uintptr_t w : {std::uintptr_t{0}, std::uintptr_t{2}, ~std::uintptr_t{0}}) {
        EXPECT_EQ(DecideActivateApp(w, true, false), ActivateAction::Dim) << w;
        EXPECT_EQ(DecideActivateApp(w, false, true), ActivateAction::Dim) << w;
    }
    EXPECT_EQ(int(DimmedAlpha), 166);
    EXPECT_EQ(int(OpaqueAlpha), 255);
}

}  // namespace
}  // namespace quorvex
