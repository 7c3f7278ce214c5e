#include "toolkit/image.h"

namespace quorvex::tk {

Image::Image(Form& parent, std::string name, int left, int top, int width, int height)
    : GraphicControl(parent, std::move(name), left, top, width, height) {}

void Image::SetPicture(Picture picture) {
    picture_ = std::move(picture);
    if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void Image::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void Image::SetAutoSize(bool on) {
    autoSize_ = on;
    if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void Image::Paint(HDC dc) {
    if (picture_.Empty()) return;
    if (stretch_) picture_.StretchDraw(dc, BoundsRect());
    else picture_.Draw(dc, Left(), Top());
}

}  // namespace quorvex::tk
