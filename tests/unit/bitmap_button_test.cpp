// The bitmap button's rules: setters, image choice, size rules, and the
// pointer and mouse transitions with their events.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "widgets/bitmap_button_state.h"

namespace quorvex {
namespace {

// Bounds as left, top, width, height: the form the size rules speak in.
using Box = std::array<int, 4>;
Box BoxOf(const TRectI& r) { return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top}; }

// A button whose host records repaints and measures 7 pixels per byte.
struct Fixture {
    int repaints = 0;
    std::vector<std::string> events;
    std::vector<Box> moves;
    TBitmapButtonState button{
        TBitmapButtonState::Host{[this] { ++repaints; }, [this](const TRectI& b) { moves.push_back(BoxOf(b)); },
                                 [](const std::string& text) { return static_cast<int>(text.size()) * 7; }}};

    Fixture() {
        button.OnClick = [this] { events.push_back(button.Pressed() ? "click(pressed)" : "click"); };
        button.OnMouseEnter = [this] { events.push_back("enter"); };
        button.OnMouseLeave = [this] { events.push_back("leave"); };
        button.OnMouseDown = [this](tk::MouseButton, unsigned, int, int) {
            events.push_back(button.Pressed() ? "down+pressed" : "down");
        };
        button.OnMouseUp = [this](tk::MouseButton, unsigned, int, int) {
            events.push_back(button.Pressed() ? "up+pressed" : "up");
        };
    }
};

TEST(BitmapButtonState, ConstructionDefaults) {
    Fixture f;
    const auto& b = f.button;
    EXPECT_EQ(BoxOf(b.Bounds()), (Box{0, 0, 83, 28}));
    EXPECT_FALSE(b.Pressed());
    EXPECT_FALSE(b.Hot());
    EXPECT_FALSE(b.AutoSize());
    EXPECT_TRUE(b.HotTrack());
    for (auto which : {TButtonImage::Normal, TButtonImage::Active, TButtonImage::Down, TButtonImage::Disable}) {
        EXPECT_TRUE(b.Image(which).Empty());
        EXPECT_TRUE(b.Image(which).Transparent);
        EXPECT_EQ(b.Image(which).TransparentColor, 0xFF00FFu);
    }
    EXPECT_STREQ(BitmapButtonDefaultFace(true), "微软雅黑");
    EXPECT_STREQ(BitmapButtonDefaultFace(false), "宋体");
}

TEST(BitmapButtonState, PaintPrecedence) {
    Fixture f;
    auto& b = f.button;
    b.BeginLoading();
    for (auto which : {TButtonImage::Normal, TButtonImage::Active, TButtonImage::Down, TButtonImage::Disable})
        b.ImageAssigned(which, 24, 15);
    b.EndLoading();
    b.SetTransparent(TButtonImage::Active, false);
    b.SetTransparentColor(TButtonImage::Down, 0x00FF00);

    auto plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Normal);
    EXPECT_FALSE(plan.DrawCaption);

    b.MouseEnter();
    plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Active);
    EXPECT_FALSE(plan.Transparent);

    b.SetHotTrack(false);
    EXPECT_EQ(b.PaintPlan().Image, TButtonImage::Normal);

    b.MouseDown(tk::MouseButton::Left, 0, 1, 1);
    plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Down);
    EXPECT_EQ(plan.TransparentColor, 0x00FF00u);

    // Disabled wins over pressed.
    b.SetEnabled(false);
    plan = b.PaintPlan();
    EXPECT_EQ(plan.Image, TButtonImage::Disable);

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
    EXPECT_EQ(BoxOf(f.button.Bounds()), (Box{5, 6, 83, 28}));
    f.button.ImageAssigned(TButtonImage::Normal, 24, 15);
    EXPECT_EQ(BoxOf(f.button.Bounds()), (Box{5, 6, 24, 15}));
    f.button.SetWidth(100);
    EXPECT_EQ(BoxOf(f.button.Bounds()), (Box{5, 6, 24, 15}));
    // Another image without a normal one: its size first, then back to the normal.
    f.button.ImageAssigned(TButtonImage::Active, 40, 30);
    EXPECT_EQ(BoxOf(f.button.Bounds()), (Box{5, 6, 24, 15}));

    // While loading, images give their size and nothing snaps.
    Fixture loading;
    loading.button.BeginLoading();
    loading.button.ImageAssigned(TButtonImage::Active, 40, 30);
    loading.button.SetBounds(673, 8, 24, 15);
    loading.button.EndLoading();
    EXPECT_EQ(BoxOf(loading.button.Bounds()), (Box{673, 8, 24, 15}));

    // AutoSize with a caption: text width (ampersand included) + 10, normal height.
    Fixture a;
    a.button.SetBounds(3, 4, 50, 50);
    a.button.ImageAssigned(TButtonImage::Normal, 20, 17);
    a.button.SetCaption("&OK");
    EXPECT_EQ(BoxOf(a.button.Bounds())[2], 20);  // no measuring on caption change
    a.button.SetAutoSize(true);
    EXPECT_EQ(BoxOf(a.button.Bounds()), (Box{3, 4, 3 * 7 + 10, 17}));
    a.button.SetWidth(200);
    EXPECT_EQ(BoxOf(a.button.Bounds()), (Box{3, 4, 31, 17}));
    // Switching AutoSize off also measures once; the resize rule that follows
    // then returns the button to its normal image.
    a.button.SetCaption("&OKAY");
    a.moves.clear();
    a.button.SetAutoSize(false);
    EXPECT_EQ(a.moves, (std::vector<Box>{{3, 4, 5 * 7 + 10, 17}, {3, 4, 20, 17}}));

    // AutoSize with a caption and no normal image: height 0.
    Fixture z;
    z.button.SetCaption("X");
    z.button.SetAutoSize(true);
    EXPECT_EQ(BoxOf(z.button.Bounds()), (Box{0, 0, 17, 0}));

    // AutoSize without a caption keeps the size it was given.
    Fixture n;
    n.button.SetAutoSize(true);
    n.button.SetBounds(1, 1, 24, 15);
    EXPECT_EQ(BoxOf(n.button.Bounds()), (Box{1, 1, 24, 15}));
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
    f.button.MouseDown(tk::MouseButton::Left, 0, 5, 5);
    EXPECT_TRUE(f.button.Pressed());
    EXPECT_EQ(f.button.PaintPlan().Image, TButtonImage::Down);
    f.button.MouseUp(tk::MouseButton::Left, 0, 5, 5);
    EXPECT_FALSE(f.button.Pressed());
    EXPECT_EQ(f.button.PaintPlan().Image, TButtonImage::Normal);
    // The click still sees the press; the up event sees it released.
    EXPECT_EQ(f.events, (std::vector<std::string>{"down+pressed", "click(pressed)", "up"}));
}

TEST(BitmapButtonState, ReleaseOutsideDoesNotClick) {
    Fixture f;
    f.button.MouseDown(tk::MouseButton::Left, 0, 5, 5);
    f.button.MouseUp(tk::MouseButton::Left, 0, 200, 5);  // captured release outside
    EXPECT_FALSE(f.button.Pressed());
    f.button.MouseDown(tk::MouseButton::Left, 0, 5, 5);
    f.button.MouseUp(tk::MouseButton::Left, 0, 5, -1);
    EXPECT_EQ(f.events, (std::vector<std::string>{"down+pressed", "up", "down+pressed", "up"}));
}

TEST(BitmapButtonState, RightAndMiddleButtonsNeverClick) {
    Fixture f;
    for (auto which : {tk::MouseButton::Right, tk::MouseButton::Middle}) {
        EXPECT_FALSE(TBitmapButtonState::CapturesMouse(which));
        f.button.MouseDown(which, 0, 5, 5);
        // The down image shows only while held.
        EXPECT_EQ(f.button.PaintPlan().Image, TButtonImage::Down);
        f.button.MouseUp(which, 0, 5, 5);
        EXPECT_EQ(f.button.PaintPlan().Image, TButtonImage::Normal);
    }
    EXPECT_TRUE(TBitmapButtonState::CapturesMouse(tk::MouseButton::Left));
    EXPECT_EQ(f.events, (std::vector<std::string>{"down+pressed", "up", "down+pressed", "up"}));
}

TEST(BitmapButtonState, DoubleClickClicksOnceAndEveryPressIsReported) {
    Fixture f;
    f.button.MouseDown(tk::MouseButton::Left, 0, 5, 5);
    f.button.MouseUp(tk::MouseButton::Left, 0, 5, 5);
    f.button.MouseDown(tk::MouseButton::Left, 0, 5, 5, /*doubleClick=*/true);
    f.button.MouseUp(tk::MouseButton::Left, 0, 5, 5);
    EXPECT_EQ(f.events, (std::vector<std::string>{"down+pressed", "click(pressed)", "up", "down+pressed", "up"}));

    // A second button going down while pressed: still one down event each.
    Fixture g;
    g.button.MouseDown(tk::MouseButton::Left, 0, 5, 5);
    g.button.MouseDown(tk::MouseButton::Right, 0, 5, 5);
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
