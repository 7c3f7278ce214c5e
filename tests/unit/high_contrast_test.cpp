// The high-contrast colours per state, the decision, and the glyph and pill
// recolouring: every pixel out is exactly one of the given colours.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "base/high_contrast.h"

namespace quorvex {
namespace {

constexpr ContrastPalette Palette{0x000000, 0xFFFFFF, 0xFFEB1A, 0x010101, 0x3FF23F};

TEST(HighContrast, EachStateTakesItsSystemColours) {
    const ContrastLook normal = ContrastLookFor(ContrastState::Normal, Palette);
    EXPECT_EQ(normal.Fill, Palette.Face);
    EXPECT_EQ(normal.Ink, Palette.Text);
    const ContrastLook hot = ContrastLookFor(ContrastState::Hot, Palette);
    EXPECT_EQ(hot.Fill, Palette.Highlight);
    EXPECT_EQ(hot.Ink, Palette.HighlightText);
    EXPECT_FALSE(hot.Framed);
    // Pressed differs from hot by its frame, drawn in the ink.
    const ContrastLook down = ContrastLookFor(ContrastState::Down, Palette);
    EXPECT_EQ(down.Fill, Palette.Highlight);
    EXPECT_EQ(down.Ink, Palette.HighlightText);
    EXPECT_TRUE(down.Framed);
    const ContrastLook disabled = ContrastLookFor(ContrastState::Disabled, Palette);
    EXPECT_EQ(disabled.Fill, Palette.Face);
    EXPECT_EQ(disabled.Ink, Palette.GrayText);
}

TEST(HighContrast, TheOverrideWinsOverTheSystem) {
    EXPECT_TRUE(HighContrastWanted(true, ContrastOverride::System));
    EXPECT_FALSE(HighContrastWanted(false, ContrastOverride::System));
    EXPECT_TRUE(HighContrastWanted(false, ContrastOverride::On));
    EXPECT_FALSE(HighContrastWanted(true, ContrastOverride::Off));
}

// Pixels as B, G, R, A with the alpha multiplied in.
std::vector<std::uint8_t> Pixels(std::initializer_list<std::array<std::uint8_t, 4>> list) {
    std::vector<std::uint8_t> out;
    for (const auto& p : list) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(HighContrast, AGlyphBecomesAMaskOfTheInk) {
    // Opaque red, a half-blended edge, a faint edge, transparent.
    auto bits = Pixels({{0, 0, 255, 255}, {10, 20, 64, 128}, {5, 5, 5, 127}, {0, 0, 0, 0}});
    MaskPixels(bits.data(), 4, 0x3FF23F);  // 0x00BBGGRR
    EXPECT_EQ(bits, Pixels({{0x3F, 0xF2, 0x3F, 255}, {0x3F, 0xF2, 0x3F, 255}, {0, 0, 0, 0}, {0, 0, 0, 0}}));
}

TEST(HighContrast, ALightSymbolInsideAGlyphIsCutOutWhileItIsTheSmallerPart) {
    // A dark disc of three pixels around one white one: the white is cut out.
    auto disc =
        Pixels({{200, 80, 20, 255}, {255, 255, 255, 255}, {180, 70, 10, 255}, {190, 60, 30, 255}, {0, 0, 0, 0}});
    MaskPixels(disc.data(), 5, 0xFFFFFF);
    EXPECT_EQ(disc,
              Pixels({{255, 255, 255, 255}, {0, 0, 0, 0}, {255, 255, 255, 255}, {255, 255, 255, 255}, {0, 0, 0, 0}}));
    // Mostly light artwork (white tools with a dark edge) keeps its whole shape.
    auto tools = Pixels({{255, 255, 255, 255}, {250, 250, 250, 255}, {40, 40, 40, 255}, {0, 0, 0, 0}});
    MaskPixels(tools.data(), 4, 0x000000);
    EXPECT_EQ(tools, Pixels({{0, 0, 0, 255}, {0, 0, 0, 255}, {0, 0, 0, 255}, {0, 0, 0, 0}}));
}

TEST(HighContrast, APillKeepsItsShapeAndLightSymbol) {
    // Dark pill, white symbol, a white symbol half covered (alpha 128),
    // light but below the threshold, the transparent corner.
    auto bits =
        Pixels({{120, 60, 30, 255}, {255, 255, 255, 255}, {128, 128, 128, 128}, {200, 200, 199, 255}, {0, 0, 0, 0}});
    ContrastPixels(bits.data(), 5, 0xFFFFFF, 0x000000);
    EXPECT_EQ(bits, Pixels({{255, 255, 255, 255}, {0, 0, 0, 255}, {0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 0, 0}}));
}

}  // namespace
}  // namespace quorvex
