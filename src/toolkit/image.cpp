#include "toolkit/image.h"

#include "base/dpi_scale.h"
#include "toolkit/form.h"

namespace quorvex::tk {

Image::Image(Form& parent, std::string name, int left, int top, int width, int height)
    : GraphicControl(parent, std::move(name), left, top, width, height) {}

void Image::SetPicture(Picture picture, int artworkPercent) {
    picture_ = std::move(picture);
    artworkPercent_ = artworkPercent > 0 ? artworkPercent : 100;
    FitPicture();
    Invalidate();
}

SIZE Image::DrawnSize() const {
    const int dpi = Parent()->Dpi();
    const int artworkDpi = ScaleLength(DesignDpi, artworkPercent_, 100);
    return {ScaleLength(picture_.Width(), dpi, artworkDpi), ScaleLength(picture_.Height(), dpi, artworkDpi)};
}

void Image::FitPicture() {
    if (!autoSize_ || picture_.Empty()) return;
    const SIZE size = DrawnSize();
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void Image::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void Image::SetAutoSize(bool on) {
    autoSize_ = on;
    FitPicture();
}

void Image::Paint(HDC dc) {
    if (picture_.Empty()) return;
    if (stretch_) {
        picture_.StretchDraw(dc, BoundsRect());
        return;
    }
    const SIZE size = DrawnSize();
    picture_.StretchDraw(dc, RECT{Left(), Top(), Left() + size.cx, Top() + size.cy});
}

}  // namespace quorvex::tk
