#include "toolkit/image.h"

#include "base/dpi_scale.h"
#include "toolkit/form.h"
#include "toolkit/high_contrast.h"

namespace quorvex::tk {

Image::Image(Form& parent, std::string name, int left, int top, int width, int height)
    : GraphicControl(parent, std::move(name), left, top, width, height) {}

void Image::SetPicture(Picture picture, int artworkPercent) {
    picture_ = std::move(picture);
    resampled_ = Picture();
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

const Picture& Image::PictureAt(SIZE size) {
    if (size.cx == picture_.Width() && size.cy == picture_.Height()) return picture_;
    if (size.cx < 1 || size.cy < 1) return picture_;
    if (resampled_.Width() != size.cx || resampled_.Height() != size.cy)
        resampled_ = picture_.Resampled(size.cx, size.cy);
    return resampled_;
}

void Image::Paint(HDC dc) {
    if (HighContrastOn()) {
        // No artwork then: its place takes the plain button face.
        FillSolid(dc, BoundsRect(), GetSysColor(COLOR_BTNFACE));
        return;
    }
    if (picture_.Empty()) return;
    const SIZE size = DrawnSize();
    if (stretch_) {
        // Stretched across the bounds; only its height follows the display scale.
        PictureAt(SIZE{picture_.Width(), size.cy}).StretchDraw(dc, BoundsRect());
        return;
    }
    PictureAt(size).Draw(dc, Left(), Top());
}

}  // namespace quorvex::tk
