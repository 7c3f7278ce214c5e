// Design lengths at the display's DPI, and the bar's row laid out there.
#include <gtest/gtest.h>

#include <limits>

#include "bar/layout.h"
#include "base/dpi_scale.h"
#include "base/error.h"

namespace quorvex {
namespace {

TEST(DisplayScaleTest, LengthsRoundLikeMulDivAndComeBackFromEveryCommonScale) {
    EXPECT_EQ(ScaleLength(55, 96), 55);
    EXPECT_EQ(ScaleLength(55, 144), 83);   // 82.5 rounds up
    EXPECT_EQ(ScaleLength(55, 192), 110);
    EXPECT_EQ(ScaleLength(55, 120), 69);   // 68.75
    EXPECT_EQ(ScaleLength(-55, 144), -83); // halves away from zero, as MulDiv
    EXPECT_EQ(ScaleLength(83, 96, 144), 55);
    // Design → pixels → design is exact at 100 % and above: a rescaled layout
    // going back to 96 DPI is the original one.
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int v = -300; v <= 900; ++v) ASSERT_EQ(ScaleLength(ScaleLength(v, dpi), 96, dpi), v) << dpi << " " << v;
    }
    EXPECT_THROW(ScaleLength(1, 0), RangeError);
    EXPECT_THROW(ScaleLength(1, 96, -96), RangeError);
    EXPECT_THROW(ScaleLength(std::numeric_limits<int>::max(), 192), RangeError);
}

TEST(DisplayScaleTest, ArtworkIsTheNearestScaleAtOrAbove) {
    EXPECT_EQ(ArtworkPercentFor(72), 100);
    EXPECT_EQ(ArtworkPercentFor(96), 100);
    EXPECT_EQ(ArtworkPercentFor(120), 150);
    EXPECT_EQ(ArtworkPercentFor(144), 150);
    EXPECT_EQ(ArtworkPercentFor(168), 200);
    EXPECT_EQ(ArtworkPercentFor(192), 200);
    EXPECT_EQ(ArtworkPercentFor(288), 200);  // enlarged from 200 %
}

TEST(DisplayScaleTest, RowAt150PercentIsTheDesignRowScaled) {
    TLayoutInput in;
    in.ButtonMode = bmShowAll;
    in.ButtonMask = 2047;
    in.CategoryExists.fill(true);
    in.ScreenWidth = 1920;
    in.WindowLeft = 100;
    in.Dpi = 144;
    const TLayout l = ArrangeButtonsLayout(in);
    EXPECT_EQ(l.WindowWidth, 1203);  // 802 × 1.5
    EXPECT_EQ(l.Categories[0].Left, 195);
    EXPECT_EQ(l.Categories[0].Width, 83);  // 55 × 1.5, halves up
    EXPECT_EQ(l.Categories[1].Left, 279);  // (130 + 56) × 1.5
    EXPECT_EQ(l.Help.Left, 1154);  // 769 × 1.5
    EXPECT_EQ(l.WindowLeft, 100);
    // Near the right edge the bar moves left by its scaled width.
    in.WindowLeft = 1000;
    EXPECT_EQ(ArrangeButtonsLayout(in).WindowLeft, 1920 - 1203);
}

}  // namespace
}  // namespace quorvex
