#pragma once
// Pictures: a 32-bit top-down DIB section with pre-multiplied alpha, so every
// image (JPEG skin pieces, 24-bit and 32-bit bitmaps, with or without a
// transparent colour) is drawn the same way with AlphaBlend.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "toolkit/handles.h"

namespace quorvex::tk {

class Picture {
public:
    Picture() = default;
    Picture(Picture&&) noexcept = default;
    Picture& operator=(Picture&&) noexcept = default;

    bool Empty() const { return !bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Handle() const { return bitmap_.get(); }

    // The colour of a pixel (0x00BBGGRR; a transparent pixel reads 0);
    // throws RangeError outside the picture.
    COLORREF PixelAt(int x, int y) const;
    // Every pixel of that colour becomes fully transparent, the others opaque.
    void MakeTransparent(COLORREF colour);
    // The transparent colour as most of the program's bitmaps use it: the
    // colour of the bottom-left pixel.
    void MakeBottomLeftTransparent();

    // Draws at (x, y), or stretched into `dest`.
    void Draw(HDC dc, int x, int y) const;
    void StretchDraw(HDC dc, const RECT& dest) const;

    // A copy at width × height, each pixel the area-weighted mean of what it
    // covers (for artwork drawn at a display scale it was not made for).
    Picture Resampled(int width, int height) const;
    // A copy in one colour: its opaque shape in `ink`, the rest transparent.
    Picture Masked(COLORREF ink) const;

    // Decoding, each throwing Error when the data are not a picture.
    static Picture FromJpeg(const void* data, std::size_t size);
    // A JPEG stored as RCDATA resource `id` of `module`.
    static Picture FromJpegResource(HINSTANCE module, int id);
    // A BITMAP resource (24-bit or 32-bit; alpha of 32-bit ones is ignored).
    static Picture FromBitmapResource(HINSTANCE module, int id);
    // A copy of any device-independent or device-dependent bitmap.
    static Picture FromBitmap(HBITMAP bitmap);
    // An uninitialised (black, opaque) picture of that size.
    static Picture Blank(int width, int height);

    // Direct access to the pixels: rows top-down, 4 bytes each (B, G, R, A).
    std::uint8_t* Bits() { return bits_; }
    const std::uint8_t* Bits() const { return bits_; }

private:
    UniqueBitmap bitmap_;
    std::uint8_t* bits_ = nullptr;  // inside bitmap_
    int width_ = 0;
    int height_ = 0;
};

}  // namespace quorvex::tk
