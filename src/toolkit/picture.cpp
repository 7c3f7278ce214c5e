#include "toolkit/picture.h"

#include <algorithm>
#include <vector>

#include "base/area_resample.h"
#include "base/high_contrast.h"

#include <cstring>
#include <string>

#include "base/checked.h"
#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/jpeg_decode.h"

namespace quorvex::tk {
namespace {

constexpr int MaxSide = 16384;

}  // namespace

Picture Picture::Blank(int width, int height) {
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) throw Error("Invalid picture size");
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits) {
        const DWORD code = GetLastError();
        if (bmp) DeleteObject(bmp);
        ThrowSystemError("Out of system resources", code);
    }
    Picture p;
    p.bitmap_.reset(bmp);
    p.bits_ = static_cast<std::uint8_t*>(bits);
    p.width_ = width;
    p.height_ = height;
    GdiFlush();
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * static_cast<std::size_t>(height); ++i)
        p.bits_[i * 4 + 3] = 255;
    return p;
}

COLORREF Picture::PixelAt(int x, int y) const {
    CheckedIndex(static_cast<std::size_t>(x < 0 ? width_ : x), static_cast<std::size_t>(width_));
    CheckedIndex(static_cast<std::size_t>(y < 0 ? height_ : y), static_cast<std::size_t>(height_));
    GdiFlush();
    const std::uint8_t* px = bits_ + (static_cast<std::size_t>(y) * width_ + x) * 4;
    return RGB(px[2], px[1], px[0]);
}

void Picture::MakeTransparent(COLORREF colour) {
    if (Empty()) return;
    GdiFlush();
    const std::uint8_t r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    const std::size_t n = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t* px = bits_ + i * 4;
        if (px[0] == b && px[1] == g && px[2] == r && px[3] != 0) {
            px[0] = px[1] = px[2] = px[3] = 0;  // pre-multiplied: transparent is all zero
        }
    }
}

void Picture::MakeBottomLeftTransparent() {
    if (Empty()) return;
    MakeTransparent(PixelAt(0, height_ - 1));
}

void Picture::Draw(HDC dc, int x, int y) const {
    RECT dest{x, y, x + width_, y + height_};
    StretchDraw(dc, dest);
}

void Picture::StretchDraw(HDC dc, const RECT& dest) const {
    if (Empty() || dest.right <= dest.left || dest.bottom <= dest.top) return;
    UniqueMemoryDc mem(CreateCompatibleDC(dc));
    if (!mem) return;
    SelectObjectScope select(mem.get(), bitmap_.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, mem.get(), 0, 0, width_,
               height_, blend);
}

Picture Picture::Masked(COLORREF ink) const {
    if (Empty()) return {};
    Picture copy = Blank(width_, height_);
    const std::size_t pixels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    std::memcpy(copy.bits_, bits_, pixels * 4);
    MaskPixels(copy.bits_, pixels, ink);
    return copy;
}

Picture Picture::Resampled(int width, int height) const {
    if (Empty()) return {};
    const std::size_t bytes = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4;
    const std::vector<std::uint8_t> source(bits_, bits_ + bytes);
    const std::vector<std::uint8_t> scaled = AreaResample(source, width_, height_, width, height);
    Picture p = Blank(width, height);
    std::copy(scaled.begin(), scaled.end(), p.bits_);
    return p;
}

Picture Picture::FromJpeg(const void* data, std::size_t size) {
    JpegHeader header;
    std::string error;
    if (!ReadJpegHeader(data, size, header, error)) throw Error("JPEG error: " + error);
    Picture p = Blank(header.Width, header.Height);
    if (!DecodeJpegBgra(data, size, p.bits_, static_cast<std::size_t>(p.width_) * 4, error))
        throw Error("JPEG error: " + error);
    return p;
}

Picture Picture::FromJpegResource(HINSTANCE module, int id) {
    HRSRC res = ThrowLastErrorIfNull(FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */),
                                     "Resource not found");
    HGLOBAL loaded = LoadResource(module, res);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, res);
    if (!data || size == 0) ThrowLastError("Resource not found");
    return FromJpeg(data, size);
}

Picture Picture::FromBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) throw Error("Invalid bitmap");
    Picture p = Blank(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = p.width_;
    bi.bmiHeader.biHeight = -p.height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(p.height_), p.bits_, &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != p.height_) throw Error("Invalid bitmap");
    // Any alpha of the source is ignored: every pixel starts opaque.
    const std::size_t n = static_cast<std::size_t>(p.width_) * static_cast<std::size_t>(p.height_);
    for (std::size_t i = 0; i < n; ++i) p.bits_[i * 4 + 3] = 255;
    return p;
}

namespace {

// A bitmap resource is a DIB without the file header. Uncompressed 24- and
// 32-bit ones (all of the program's) are copied straight into the picture:
// that skips a device-dependent bitmap, a screen DC and GetDIBits for each of
// the twenty the bar loads at start. Returns false for anything else.
bool CopyPlainDib(const std::uint8_t* data, std::size_t size, Picture& out) {
    if (size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof h || h.biSize > size || h.biPlanes != 1 || h.biCompression != BI_RGB ||
        (h.biBitCount != 24 && h.biBitCount != 32) || h.biClrUsed != 0 || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biWidth > MaxSide || h.biHeight > MaxSide || h.biHeight < -MaxSide) {
        return false;
    }
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const std::size_t bytesPerPixel = h.biBitCount / 8u;
    const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
    if ((size - h.biSize) / stride < static_cast<std::size_t>(height)) return false;
    out = Picture::Blank(width, height);
    std::uint8_t* bits = out.Bits();
    const std::uint8_t* rows = data + h.biSize;
    for (int y = 0; y < height; ++y) {
        // Bottom-up unless the height is negative.
        const std::uint8_t* src = rows + stride * static_cast<std::size_t>(h.biHeight > 0 ? height - 1 - y : y);
        std::uint8_t* dst = bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        for (int x = 0; x < width; ++x, src += bytesPerPixel, dst += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            dst[3] = 255;  // any alpha of the source is ignored, as below
        }
    }
    return true;
}

}  // namespace

Picture Picture::FromBitmapResource(HINSTANCE module, int id) {
    if (HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */)) {
        HGLOBAL loaded = LoadResource(module, res);
        const void* data = loaded ? LockResource(loaded) : nullptr;
        Picture p;
        if (data && CopyPlainDib(static_cast<const std::uint8_t*>(data), SizeofResource(module, res), p)) return p;
    }
    HANDLE h = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!h) ThrowLastError("Resource not found");
    UniqueBitmap bitmap(static_cast<HBITMAP>(h));
    return FromBitmap(bitmap.get());
}

}  // namespace quorvex::tk
