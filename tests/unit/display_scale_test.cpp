// Design lengths at the display's DPI, and the bar's row laid out there.
#include <gtest/gtest.h>

#include <limits>

#include "bar/layout.h"
#include "base/area_resample.h"
#include "base/dpi_scale.h"
#include "base/error.h"

namespace quorvex {
namespace {

TEST(DisplayScaleTest, LengthsRoundLikeMulDivAndComeBackFromEveryCommonScale) {
    EXPECT_EQ(ScaleLength(55, 96), 55);
    EXPECT_EQ(ScaleLength(55, 144), 83);  // 82.5 rounds up
    EXPECT_EQ(ScaleLength(55, 192), 110);
    EXPECT_EQ(ScaleLength(55, 120), 69);    // 68.75
    EXPECT_EQ(ScaleLength(-55, 144), -83);  // halves away from zero, as MulDiv
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
    EXPECT_EQ(ArtworkPercentFor(97), 200);
    EXPECT_EQ(ArtworkPercentFor(144), 200);
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
    EXPECT_EQ(l.Help.Left, 1154);          // 769 × 1.5
    EXPECT_EQ(l.WindowLeft, 100);
    // Near the right edge the bar moves left by its scaled width.
    in.WindowLeft = 1000;
    EXPECT_EQ(ArrangeButtonsLayout(in).WindowLeft, 1920 - 1203);
}

// One pixel of a picture as (B, G, R, A).
std::vector<std::uint8_t> Pixel(const std::vector<std::uint8_t>& p, int width, int x, int y) {
    const auto at = p.begin() + (static_cast<std::ptrdiff_t>(y) * width + x) * 4;
    return {at, at + 4};
}

TEST(DisplayScaleTest, AreaResampleAveragesWhatEachPixelCovers) {
    // 4 × 2: white, black, white, black columns; opaque.
    std::vector<std::uint8_t> stripes;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            for (std::uint8_t v : {x % 2 ? 0 : 255, x % 2 ? 0 : 255, x % 2 ? 0 : 255, 255}) stripes.push_back(v);
    // Halved: each target pixel covers one white and one black column.
    const auto half = AreaResample(stripes, 4, 2, 2, 1);
    ASSERT_EQ(half.size(), 8u);
    EXPECT_EQ(Pixel(half, 2, 0, 0), (std::vector<std::uint8_t>{128, 128, 128, 255}));
    EXPECT_EQ(Pixel(half, 2, 1, 0), (std::vector<std::uint8_t>{128, 128, 128, 255}));
    // To three quarters (200 % artwork on a 150 % display): 4 → 3 columns.
    const auto threeQuarters = AreaResample(stripes, 4, 2, 3, 2);
    EXPECT_EQ(Pixel(threeQuarters, 3, 0, 1), (std::vector<std::uint8_t>{191, 191, 191, 255}));  // 1 white + 1/3 black
    EXPECT_NEAR(Pixel(threeQuarters, 3, 1, 1)[1], 127.5, 0.5);                                  // 2/3 black + 2/3 white
    EXPECT_EQ(Pixel(threeQuarters, 3, 1, 1)[3], 255);
    EXPECT_EQ(Pixel(threeQuarters, 3, 2, 1), (std::vector<std::uint8_t>{64, 64, 64, 255}));
    // Same size: unchanged; transparent stays transparent.
    EXPECT_EQ(AreaResample(stripes, 4, 2, 4, 2), stripes);
    const std::vector<std::uint8_t> clear(4 * 4 * 4, 0);
    EXPECT_EQ(AreaResample(clear, 4, 4, 3, 3), std::vector<std::uint8_t>(3 * 3 * 4, 0));
    EXPECT_THROW(AreaResample(stripes, 4, 2, 0, 1), RangeError);
    EXPECT_THROW(AreaResample(stripes, 3, 2, 2, 1), RangeError);
}

}  // namespace
}  // namespace quorvex
