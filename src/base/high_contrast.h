#pragma once
// High contrast: whether the program draws in the system's colours instead of
// its artwork, and which system colour each part of a button takes then.
#include <cstddef>
#include <cstdint>

namespace quorvex {

// The system colours the high-contrast look uses (0x00BBGGRR each).
struct ContrastPalette {
    std::uint32_t Face = 0;           // button face: every background
    std::uint32_t Text = 0;           // button text: captions, glyphs, frames
    std::uint32_t Highlight = 0;      // hot and pressed faces
    std::uint32_t HighlightText = 0;  // captions and glyphs on them
    std::uint32_t GrayText = 0;       // disabled captions and glyphs
};

enum class ContrastState { Normal, Hot, Down, Disabled };

// One button's colours in a state: its face and what is drawn on it.
struct ContrastLook {
    std::uint32_t Fill = 0;
    std::uint32_t Ink = 0;
    bool Framed = false;  // a one-pixel frame in Ink marks the active button
};

ContrastLook ContrastLookFor(ContrastState state, const ContrastPalette& palette);

// Who decides: the system's setting, or a forced answer (in-process tests,
// since not every system lets a test switch the setting).
enum class ContrastOverride { System, On, Off };

bool HighContrastWanted(bool systemOn, ContrastOverride override);

// Turns 32-bit B,G,R,A pixels (pre-multiplied alpha) into a mask of `ink`:
// every pixel at least half opaque becomes `ink`, fully opaque; the rest
// fully transparent. So a glyph keeps its shape in exactly one colour. Light
// pixels that are fewer than half the shape's (a symbol drawn inside it) are
// cut out, so the symbol still shows, in the colour behind the glyph.
void MaskPixels(std::uint8_t* bgra, std::size_t pixelCount, std::uint32_t ink);

// The same for artwork that carries its own symbol, drawn light on a dark
// shape (the minimise and close pills): the shape becomes `fill`, the light
// symbol `ink`, every pixel less than half opaque transparent.
void ContrastPixels(std::uint8_t* bgra, std::size_t pixelCount, std::uint32_t fill, std::uint32_t ink);

}  // namespace quorvex
