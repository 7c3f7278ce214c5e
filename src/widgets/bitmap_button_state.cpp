#include "widgets/bitmap_button_state.h"

#include "base/checked.h"

namespace quorvex {

namespace {

constexpr int DefaultWidth = 83;
constexpr int DefaultHeight = 28;

// Decodes the UTF-8 code point at s[i]; a broken sequence yields the byte.
char32_t DecodeAt(const std::string& s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (i + extra >= s.size()) return b;
    char32_t cp = extra == 0 ? b : (b & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return b;
        cp = (cp << 6) | (c & 0x3F);
    }
    return cp;
}

char32_t FoldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c - U'A' + U'a';
    // Latin-1 capitals and full-width Latin capitals fold the same way.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    return c;
}

}  // namespace

const char* BitmapButtonDefaultFace(bool newerSystem) { return newerSystem ? "微软雅黑" : "宋体"; }

char32_t AcceleratorChar(const std::string& caption) {
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (i + 1 >= caption.size()) return 0;
        if (caption[i + 1] == '&') {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return DecodeAt(caption, i + 1);
    }
    return 0;
}

bool IsAccel(char32_t ch, const std::string& caption) {
    const char32_t accel = AcceleratorChar(caption);
    return accel != 0 && FoldCase(accel) == FoldCase(ch);
}

TBitmapButtonState::TBitmapButtonState(Host host) : FHost(std::move(host)) {}

void TBitmapButtonState::Repaint() {
    if (FHost.Repaint) FHost.Repaint();
}

TImageInfo& TBitmapButtonState::ImageRef(TButtonImage which) {
    switch (which) {
    case TButtonImage::Normal:
        return FNormal;
    case TButtonImage::Active:
        return FActive;
    case TButtonImage::Down:
        return FDownImage;
    case TButtonImage::Disable:
        return FDisable;
    }
    return FNormal;
}

const TImageInfo& TBitmapButtonState::Image(TButtonImage which) const {
    return const_cast<TBitmapButtonState*>(this)->ImageRef(which);
}

void TBitmapButtonState::SetCaption(const std::string& caption) {
    FCaption = caption;
    Repaint();
}

void TBitmapButtonState::SetAutoSize(bool value) { RunAutoSize(value); }

void TBitmapButtonState::RunAutoSize(bool value) {
    FAutoSize = value;
    if (FCaption.empty()) return;
    const int textWidth = FHost.MeasureText ? FHost.MeasureText(FCaption) : 0;
    SetBounds(FBounds.Left, FBounds.Top, CheckedAdd(textWidth, 10), FNormal.Height);
}

void TBitmapButtonState::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    Repaint();
}

void TBitmapButtonState::ImageAssigned(TButtonImage which, int width, int height) {
    TImageInfo& image = ImageRef(which);
    image.Width = width < 0 ? 0 : width;
    image.Height = height < 0 ? 0 : height;
    SetWidth(image.Width);
    SetHeight(image.Height);
}

void TBitmapButtonState::SetTransparent(TButtonImage which, bool value) { ImageRef(which).Transparent = value; }

void TBitmapButtonState::SetTransparentColor(TButtonImage which, std::uint32_t value) {
    ImageRef(which).TransparentColor = value;
}

void TBitmapButtonState::FontChanged() { Repaint(); }

void TBitmapButtonState::SetBounds(int left, int top, int width, int height) {
    const TRectI next{left, top, CheckedAdd(left, width), CheckedAdd(top, height)};
    if (next.Left == FBounds.Left && next.Top == FBounds.Top && next.Right == FBounds.Right &&
        next.Bottom == FBounds.Bottom) {
        return;
    }
    FBounds = next;
    if (FHost.BoundsChanged) FHost.BoundsChanged(FBounds);
    if (!FLoading) Resize();
}

// Runs after every change of position or size. The recursion through
// SetBounds ends because the second pass asks for the bounds it already has.
void TBitmapButtonState::Resize() {
    if (FAutoSize) {
        RunAutoSize(true);
        return;
    }
    if (!FNormal.Empty()) {
        SetBounds(FBounds.Left, FBounds.Top, FNormal.Width, FNormal.Height);
    } else {
        SetBounds(FBounds.Left, FBounds.Top, DefaultWidth, DefaultHeight);
    }
}

TBitmapButtonPaint TBitmapButtonState::PaintPlan() const {
    TBitmapButtonPaint plan;
    if (!FEnabled) {
        plan.Image = TButtonImage::Disable;
    } else if (FPressed) {
        plan.Image = TButtonImage::Down;
    } else if (FHot && FHotTrack) {
        plan.Image = TButtonImage::Active;
    } else {
        plan.Image = TButtonImage::Normal;
    }
    const TImageInfo& image = Image(plan.Image);
    plan.Transparent = image.Transparent;
    plan.TransparentColor = image.TransparentColor;
    plan.DrawImage = !image.Empty();
    plan.DrawCaption = !FCaption.empty();
    return plan;
}

void TBitmapButtonState::MouseEnter() {
    if (FHot) return;
    FHot = true;
    Repaint();
    if (OnMouseEnter) OnMouseEnter();
}

void TBitmapButtonState::MouseLeave() {
    if (!FHot) return;
    FHot = false;
    Repaint();
    if (OnMouseLeave) OnMouseLeave();
}

void TBitmapButtonState::MouseMove(unsigned shift, int x, int y) {
    if (!FHot) {
        FHot = true;
        Repaint();
    }
    if (OnMouseMove) OnMouseMove(shift, x, y);
}

void TBitmapButtonState::MouseDown(tk::MouseButton button, unsigned shift, int x, int y, bool doubleClick) {
    if (button == tk::MouseButton::Left) FClickPending = !doubleClick;
    if (!FPressed) {
        FPressed = true;
        Repaint();
    }
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void TBitmapButtonState::MouseUp(tk::MouseButton button, unsigned shift, int x, int y) {
    if (button == tk::MouseButton::Left) {
        const bool inside = x >= 0 && y >= 0 && x < FBounds.Right - FBounds.Left && y < FBounds.Bottom - FBounds.Top;
        const bool click = FClickPending && inside;
        FClickPending = false;
        // The click comes first, before the release repaints and is reported.
        if (click) Click();
    }
    FPressed = false;
    Repaint();
    if (OnMouseUp) OnMouseUp(button, shift, x, y);
}

void TBitmapButtonState::Click() {
    if (OnClick) OnClick();
}

bool TBitmapButtonState::DialogChar(char32_t ch) {
    if (!IsAccel(ch, FCaption) || !FEnabled || !OnClick) return false;
    OnClick();
    return true;
}

}  // namespace quorvex
