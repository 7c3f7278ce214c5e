#include "toolkit/image_button.h"

namespace quorvex::tk {
namespace {
constexpr COLORREF Magenta = RGB(255, 0, 255);
}

ImageButton::ImageButton(Form& parent, std::string name, int left, int top, int width, int height)
    : GraphicControl(parent, std::move(name), left, top, width, height) {}

void ImageButton::SetPictures(Picture normal, Picture hot, Picture down) {
    normal_ = std::move(normal);
    hot_ = std::move(hot);
    down_ = std::move(down);
    for (Picture* p : {&normal_, &hot_, &down_}) p->MakeTransparent(Magenta);
    if (!normal_.Empty()) SetBounds(Left(), Top(), normal_.Width(), normal_.Height());
    Invalidate();
}

ImageButton::State ImageButton::GetState() const {
    if (pressed_) return pointerIn_ ? State::Down : State::Normal;
    return MouseInControl() && Enabled() ? State::Hot : State::Normal;
}

void ImageButton::Paint(HDC dc) {
    const Picture* p = &normal_;
    switch (GetState()) {
    case State::Hot: if (!hot_.Empty()) p = &hot_; break;
    case State::Down: if (!down_.Empty()) p = &down_; break;
    case State::Normal: break;
    }
    p->Draw(dc, Left(), Top());
}

void ImageButton::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (button == MouseButton::Left) {
        pressed_ = true;
        pointerIn_ = true;
        Invalidate();
    }
    GraphicControl::MouseDown(button, shift, x, y);
}

void ImageButton::MouseMove(ShiftState shift, int x, int y) {
    if (pressed_) {
        const bool in = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (in != pointerIn_) {
            pointerIn_ = in;
            Invalidate();
        }
    }
    GraphicControl::MouseMove(shift, x, y);
}

void ImageButton::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
    if (button == MouseButton::Left && pressed_) {
        pressed_ = false;
        pointerIn_ = false;
        Invalidate();
    }
    GraphicControl::MouseUp(button, shift, x, y);
}

void ImageButton::MouseEnter() {
    Invalidate();
    GraphicControl::MouseEnter();
}

void ImageButton::MouseLeave() {
    Invalidate();
    GraphicControl::MouseLeave();
}

}  // namespace quorvex::tk
