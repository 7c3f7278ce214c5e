#include "base/high_contrast.h"

namespace quorvex {

ContrastLook ContrastLookFor(ContrastState state, const ContrastPalette& palette) {
    switch (state) {
    case ContrastState::Hot:
        return {palette.Highlight, palette.HighlightText, false};
    case ContrastState::Down:
        return {palette.Highlight, palette.HighlightText, true};
    case ContrastState::Disabled:
        return {palette.Face, palette.GrayText, false};
    case ContrastState::Normal:
        break;
    }
    return {palette.Face, palette.Text, false};
}

bool HighContrastWanted(bool systemOn, ContrastOverride override) {
    switch (override) {
    case ContrastOverride::On:
        return true;
    case ContrastOverride::Off:
        return false;
    case ContrastOverride::System:
        break;
    }
    return systemOn;
}

namespace {

void Put(std::uint8_t* p, std::uint32_t colour) {
    p[0] = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
    p[1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
    p[2] = static_cast<std::uint8_t>(colour & 0xFF);
    p[3] = 255;
}

void Clear(std::uint8_t* p) { p[0] = p[1] = p[2] = p[3] = 0; }

// A light pixel: its channels sum above 600 of 765 before the alpha was
// multiplied in (compared multiplied, to stay in integers).
bool Light(const std::uint8_t* p) {
    const unsigned sum = static_cast<unsigned>(p[0]) + p[1] + p[2];
    return sum * 255u > 600u * p[3];
}

}  // namespace

void MaskPixels(std::uint8_t* bgra, std::size_t pixelCount, std::uint32_t ink) {
    // A light symbol inside a darker shape (the help glyph's question mark
    // on its disc) would vanish in a plain silhouette: while the light pixels
    // are a minority of the shape, they are cut out of it instead.
    std::size_t opaque = 0, light = 0;
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const std::uint8_t* p = bgra + i * 4;
        if (p[3] < 128) continue;
        ++opaque;
        if (Light(p)) ++light;
    }
    const bool cutOut = light > 0 && light * 2 < opaque;
    for (std::size_t i = 0; i < pixelCount; ++i) {
        std::uint8_t* p = bgra + i * 4;
        if (p[3] >= 128 && !(cutOut && Light(p))) Put(p, ink);
        else Clear(p);
    }
}

void ContrastPixels(std::uint8_t* bgra, std::size_t pixelCount, std::uint32_t fill, std::uint32_t ink) {
    for (std::size_t i = 0; i < pixelCount; ++i) {
        std::uint8_t* p = bgra + i * 4;
        if (p[3] < 128) Clear(p);
        else Put(p, Light(p) ? ink : fill);
    }
}

}  // namespace quorvex
