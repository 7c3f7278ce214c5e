// The bitmap button's rules: setters, image choice, size rules, and the
// pointer and mouse transitions with their events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/bitmap_button_state.h"

namespace quorvex {
namespace {

// A button whose host records repaints and measures 7 pixels per byte.
struct Fixture {
    int repaints = 0;
    std::vector<std::string> events;
    std::vector<TBounds> moves;
    TBitmapButtonState button{
        TBitmapButtonState::Host{[this] { ++repaints; }, [this](const TBounds& b) { moves.push_back(b); },
                                 [](const std::string& text) { return static_cast<int>(text.size()) * 7; }}};

    Fixture() {
        button.OnClick = [this] { events.push_back(button.Down() ? "click(down)" : "click"); };
        button.OnMouseEnter = [this] { events.push_back("enter"); };
        button.OnMouseLeave = [this] { events.push_back("leave"); };
        button.OnMouseDown = [this](TMouseButton, unsigned, int, int) {
            events.push_back(button.Pressed() ? "down+pressed" : "down");
        };
        button.OnMouseUp = [this](TMouseButton, unsigned, int, int) {
            events.push_back(button.Down() ? "up(latched)" : "up");
        };
    }
};

TEST(BitmapButtonState, ConstructionDefaults) {
    Fixture f;
    const auto& b = f.button;
    EXPECT_EQ(b.Bounds(), (TBounds{0, 0, 83, 28}));
    EXPECT_FALSE(b.Pressed());
    EXPECT_FALSE(b.Hot());
    EXPECT_FALSE(b.Latching());
    EXPECT_FALSE(b.Down());
    EXPECT_FALSE(b.AutoSize());
    EXPECT_TRUE(b.HotTrack());
    EXPECT_EQ(b.RightBorderColor(), clNone);
    for (auto which : {TButtonImage::Normal, TButtonImage::Active, TButtonImage::Down, TButtonImage::Disable}) {
        EXPECT_TRUE(b.Image(which).Empty());
        EXPECT_TRUE(b.Image(which).Transparent);
        EXPECT_EQ(b.Image(which).TransparentColor, 0xFF00FFu);
    }
    EXPECT_STREQ(BitmapButtonDefaultFace(true), "微软雅黑");
    EXPECT_STREQ(BitmapButtonDefaultFace(false), "宋体");
}

TEST(BitmapButtonState, DownOnlyWhileLatchingAndLatchingOffClearsDown) {
    Fixture f;
    f.button.SetDown(true);
    EXPECT_FALSE(f.button.Down());
    f.button.SetLatching(true);
    f.button.SetDown(true);
    EXPECT_TRUE(f.button.Down());
    const int before = f.repaints;
    f.button.SetLatching(false);
    EXPECT_FALSE(f.button.Down());
    EXPECT_GT(f.repaints, before);

    // Stored properties load in stored order: Down comes before Latching.
    Fixture loaded;
    loaded.button.BeginLoading();
    loaded.button.SetDown(true);
    loaded.button.SetLatching(true);
    loaded.button.EndLoading();
    EXPECT_TRUE(loaded.button.Latching());
    EXPECT_FALSE(loaded.button.Down());
}

TEST(BitmapButtonState, PaintPrecedenceAndRightEdgeLine) {
    Fixture f;
    auto& b = f.button;
    b.BeginLoading();
    for (auto which : {TButtonImage::Normal, TButtonImage::Active, TButtonImage::Down, TButtonImage::Disable})
        b.ImageAssigned(which, 24, 15);
    b.EndLoading();
    b.SetTransparent(TButtonImage::Active, false);
    b.SetTransparentColor(TButtonImage::Down, 0x00FF00);
    b.SetRightBorderColor(0x123456);

    auto plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Normal);
    EXPECT_FALSE(plan.DrawRightLine);
    EXPECT_FALSE(plan.DrawCaption);

    b.MouseEnter();
    plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Active);
    EXPECT_FALSE(plan.Transparent);
    EXPECT_TRUE(plan.DrawRightLine);
    EXPECT_EQ(plan.RightLineColor, 0x123456u);

    b.SetHotTrack(false);
    EXPECT_EQ(b.PaintPlan().Image, TButtonImage::Normal);
    EXPECT_FALSE(b.PaintPlan().DrawRightLine);

    b.MouseDown(TMouseButton::Left, 0, 1, 1);
    plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Down);
    EXPECT_EQ(plan.TransparentColor, 0x00FF00u);
    EXPECT_TRUE(plan.DrawRightLine);

    // Disabled wins over pressed, and never gets the line.
    b.SetEnabled(false);
    plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Disable);
    EXPECT_FALSE(plan.DrawRightLine);

    b.SetRightBorderColor(clNone);
    b.SetEnabled(true);
    EXPECT_FALSE(b.PaintPlan().DrawRightLine);

    // An empty disabled image draws only the caption.
    Fixture g;
    g.button.SetCaption("&OK");
    g.button.SetEnabled(false);
    plan = g.button.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Disable);
    EXPECT_FALSE(plan.DrawImage);
    EXPECT_TRUE(plan.DrawCaption);
}

TEST(BitmapButtonState, SizeRules) {
    // AutoSize off: any size snaps back to the normal image, or 83 x 28.
    Fixture f;
    f.button.SetBounds(5, 6, 10, 10);
    EXPECT_EQ(f.button.Bounds(), (TBounds{5, 6, 83, 28}));
    f.button.ImageAssigned(TButtonImage::Normal, 24, 15);
    EXPECT_EQ(f.button.Bounds(), (TBounds{5, 6, 24, 15}));
    f.button.SetWidth(100);
    EXPECT_EQ(f.button.Bounds(), (TBounds{5, 6, 24, 15}));
    // Another image without a normal one: its size first, then back to the normal.
    f.button.ImageAssigned(TButtonImage::Active, 40, 30);
    EXPECT_EQ(f.button.Bounds(), (TBounds{5, 6, 24, 15}));

    // While loading, images give their size and nothing snaps.
    Fixture loading;
    loading.button.BeginLoading();
    loading.button.ImageAssigned(TButtonImage::Active, 40, 30);
    loading.button.SetBounds(673, 8, 24, 15);
    loading.button.EndLoading();
    EXPECT_EQ(loading.button.Bounds(), (TBounds{673, 8, 24, 15}));

    // AutoSize with a caption: text width (ampersand included) + 10, normal height.
    Fixture a;
    a.button.SetBounds(3, 4, 50, 50);
    a.button.ImageAssigned(TButtonImage::Normal, 20, 17);
    a.button.SetCaption("&OK");
    EXPECT_EQ(a.button.Bounds().Width, 20);  // no measuring on caption change
    a.button.SetAutoSize(true);
    EXPECT_EQ(a.button.Bounds(), (TBounds{3, 4, 3 * 7 + 10, 17}));
    a.button.SetWidth(200);
    EXPECT_EQ(a.button.Bounds(), (TBounds{3, 4, 31, 17}));
    // Switching AutoSize off also measures once; the resize rule that follows
    // then returns the button to its normal image.
    a.button.SetCaption("&OKAY");
    a.moves.clear();
    a.button.SetAutoSize(false);
    EXPECT_EQ(a.moves, (std::vector<TBounds>{{3, 4, 5 * 7 + 10, 17}, {3, 4, 20, 17}}));

    // AutoSize with a caption and no normal image: height 0.
    Fixture z;
    z.button.SetCaption("X");
    z.button.SetAutoSize(true);
    EXPECT_EQ(z.button.Bounds(), (TBounds{0, 0, 17, 0}));

    // AutoSize without a caption keeps the size it was given.
    Fixture n;
    n.button.SetAutoSize(true);
    n.button.SetBounds(1, 1, 24, 15);
    EXPECT_EQ(n.button.Bounds(), (TBounds{1, 1, 24, 15}));
}

TEST(BitmapButtonState, HotTransitionsRaiseEnterAndLeaveOnce) {
    Fixture f;
    int moves = 0;
    f.button.OnMouseMove = [&](unsigned, int, int) { ++moves; };
    f.button.MouseEnter();
    f.button.MouseEnter();
    f.button.MouseMove(0, 1, 1);
    EXPECT_TRUE(f.button.Hot());
    f.button.MouseLeave();
    f.button.MouseLeave();
    EXPECT_FALSE(f.button.Hot());
    // A move makes it hot without an enter event; every move reaches the handler.
    f.button.MouseMove(0, 2, 2);
    f.button.MouseMove(0, 3, 3);
    EXPECT_TRUE(f.button.Hot());
    EXPECT_EQ(moves, 3);
    EXPECT_EQ(f.events, (std::vector<std::string>{"enter", "leave"}));
}

TEST(BitmapButtonState, LeftClickComesBeforeReleaseEffects) {
    Fixture f;
    f.button.SetLatching(true);
    f.button.MouseDown(TMouseButton::Left, 0, 5, 5);
    EXPECT_TRUE(f.button.Pressed());
    f.button.MouseUp(TMouseButton::Left, 0, 5, 5);
    EXPECT_FALSE(f.button.Pressed());
    EXPECT_TRUE(f.button.Down());
    f.button.MouseDown(TMouseButton::Left, 0, 5, 5);
    f.button.MouseUp(TMouseButton::Left, 0, 5, 5);
    EXPECT_FALSE(f.button.Down());
    // The click sees the old Down; the up event sees the new one.
    EXPECT_EQ(f.events,
              (std::vector<std::string>{"down+pressed", "click", "up(latched)", "down+pressed", "click(down)", "up"}));
}

TEST(BitmapButtonState, ReleaseOutsideToggleButNoClick) {
    Fixture f;
    f.button.SetLatching(true);
    f.button.MouseDown(TMouseButton::Left, 0, 5, 5);
    f.button.MouseUp(TMouseButton::Left, 0, 200, 5);  // captured release outside
    EXPECT_TRUE(f.button.Down());
    f.button.MouseDown(TMouseButton::Left, 0, 5, 5);
    f.button.MouseUp(TMouseButton::Left, 0, 5, -1);
    EXPECT_FALSE(f.button.Down());
    EXPECT_EQ(f.events, (std::vector<std::string>{"down+pressed", "up(latched)", "down+pressed", "up"}));
}

TEST(BitmapButtonState, RightAndMiddleButtonsNeverClick) {
    Fixture f;
    f.button.SetLatching(true);
    for (auto which : {TMouseButton::Right, TMouseButton::Middle}) {
        EXPECT_FALSE(TBitmapButtonState::CapturesMouse(which));
        f.button.MouseDown(which, 0, 5, 5);
        EXPECT_EQ(f.button.PaintPlan().Image, TButtonImage::Down);
        f.button.MouseUp(which, 0, 5, 5);
    }
    EXPECT_TRUE(TBitmapButtonState::CapturesMouse(TMouseButton::Left));
    EXPECT_FALSE(f.button.Down());  // toggled twice
    EXPECT_EQ(f.events, (std::vector<std::string>{"down+pressed", "up(latched)", "down+pressed", "up"}));

    // Without latching the down image shows only while held.
    Fixture g;
    g.button.SetDown(true);
    g.button.MouseDown(TMouseButton::Right, 0, 1, 1);
    EXPECT_EQ(g.button.PaintPlan().Image, TButtonImage::Down);
    g.button.MouseUp(TMouseButton::Right, 0, 1, 1);
    EXPECT_EQ(g.button.PaintPlan().Image, TButtonImage::Normal);
}

TEST(BitmapButtonState, DoubleClickClicksOnceAndEveryPressIsReported) {
    Fixture f;
    f.button.MouseDown(TMouseButton::Left, 0, 5, 5);
    f.button.MouseUp(TMouseButton::Left, 0, 5, 5);
    f.button.MouseDown(TMouseButton::Left, 0, 5, 5, /*doubleClick=*/true);
    f.button.MouseUp(TMouseButton::Left, 0, 5, 5);
    EXPECT_EQ(f.events, (std::vector<std::string>{"down+pressed", "click", "up", "down+pressed", "up"}));

    // A second button going down while pressed: still one down event each.
    Fixture g;
    g.button.MouseDown(TMouseButton::Left, 0, 5, 5);
    g.button.MouseDown(TMouseButton::Right, 0, 5, 5);
    EXPECT_EQ(g.events, (std::vector<std::string>{"down+pressed", "down+pressed"}));
}

TEST(BitmapButtonState, AcceleratorCharacter) {
    EXPECT_EQ(AcceleratorChar("&OK"), U'O');
    EXPECT_EQ(AcceleratorChar("Save && &Quit"), U'Q');
    EXPECT_EQ(AcceleratorChar("A&&B"), 0u);
    EXPECT_EQ(AcceleratorChar("trailing&"), 0u);
    EXPECT_EQ(AcceleratorChar("确定(&O)"), U'O');
    EXPECT_EQ(AcceleratorChar("&确定"), U'确');
    EXPECT_TRUE(IsAccel(U'o', "&OK"));
    EXPECT_TRUE(IsAccel(U'O', "&ok"));
    EXPECT_FALSE(IsAccel(U'K', "&OK"));

    Fixture f;
    f.button.SetCaption("&OK");
    EXPECT_TRUE(f.button.DialogChar(U'o'));
    EXPECT_TRUE(f.button.DialogChar(U'O'));
    EXPECT_FALSE(f.button.DialogChar(U'k'));
    f.button.SetEnabled(false);
    EXPECT_FALSE(f.button.DialogChar(U'O'));
    f.button.SetEnabled(true);
    f.button.OnClick = nullptr;
    EXPECT_FALSE(f.button.DialogChar(U'O'));
    EXPECT_EQ(f.events, (std::vector<std::string>{"click", "click"}));
}

}  // namespace
}  // namespace quorvex
