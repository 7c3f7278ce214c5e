#include "toolkit/speed_button.h"

#include "base/dpi_scale.h"
#include "toolkit/form.h"
#include "toolkit/high_contrast.h"

namespace quorvex::tk {
namespace {
constexpr int GlyphSpacing = 4;  // between glyph and caption
}

SpeedButton::SpeedButton(Form& parent, std::string name, int left, int top, int width, int height)
    : GraphicControl(parent, std::move(name), left, top, width, height) {}

void SpeedButton::SetCaption(std::wstring caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Invalidate();
}

void SpeedButton::SetGlyph(Picture glyph, int artworkPercent) {
    glyph_ = std::move(glyph);
    glyphPercent_ = artworkPercent > 0 ? artworkPercent : 100;
    glyph_.MakeBottomLeftTransparent();
    resampledGlyph_ = Picture();
    Invalidate();
}

COLORREF SpeedButton::CaptionColor() const {
    return captionColor_ == SystemCaptionColor ? GetSysColor(COLOR_BTNTEXT) : captionColor_;
}

void SpeedButton::SetCaptionColor(COLORREF color) {
    if (color == captionColor_) return;
    captionColor_ = color;
    if (!caption_.empty()) Invalidate();
}

void SpeedButton::ResetCaptionColor() { SetCaptionColor(SystemCaptionColor); }

SpeedButton::State SpeedButton::GetState() const {
    if (!Enabled()) return State::Disabled;
    if (pressed_) return pointerIn_ ? State::Down : State::Up;
    return MouseInControl() ? State::Hot : State::Up;
}

void SpeedButton::Paint(HDC dc) {
    RECT r = BoundsRect();
    const State state = GetState();
    // High contrast: a face, caption and glyph mask in the system's colours,
    // no edges (their shades are not among those colours).
    const bool contrast = HighContrastOn();
    ContrastLook look;
    if (contrast) {
        const ContrastState cs = state == State::Hot        ? ContrastState::Hot
                                 : state == State::Down     ? ContrastState::Down
                                 : state == State::Disabled ? ContrastState::Disabled
                                                            : ContrastState::Normal;
        look = ContrastLookFor(cs, SystemContrastPalette());
        FillSolid(dc, r, look.Fill);
        if (look.Framed) FrameSolid(dc, r, look.Ink);
    } else if (state == State::Hot) {
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    } else if (state == State::Down) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    const int shift = state == State::Down ? 1 : 0;

    SIZE text{0, 0};
    if (!caption_.empty()) {
        RECT calc{0, 0, 0, 0};
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &calc, DT_CALCRECT | DT_SINGLELINE);
        text = {calc.right - calc.left, calc.bottom - calc.top};
    }
    const int dpi = Parent()->Dpi();
    const int glyphDpi = ScaleLength(DesignDpi, glyphPercent_, 100);
    const int glyphW = glyph_.Empty() ? 0 : ScaleLength(glyph_.Width(), dpi, glyphDpi);
    const int glyphH = glyph_.Empty() ? 0 : ScaleLength(glyph_.Height(), dpi, glyphDpi);
    const int spacing = glyphW > 0 && text.cx > 0 ? Parent()->Scale(GlyphSpacing) : 0;
    const int total = glyphW + spacing + text.cx;
    const int x = r.left + (Width() - total + 1) / 2 + shift;
    if (glyphW > 0) {
        const int y = r.top + (Height() - glyphH + 1) / 2 + shift;
        if (contrast) {
            const Picture& shape =
                glyphW == glyph_.Width() && glyphH == glyph_.Height() ? glyph_ : ScaledGlyph(glyphW, glyphH);
            shape.Masked(look.Ink).Draw(dc, x, y);
        } else if (glyphW == glyph_.Width() && glyphH == glyph_.Height()) {
            glyph_.Draw(dc, x, y);
        } else {
            if (resampledGlyph_.Width() != glyphW || resampledGlyph_.Height() != glyphH)
                resampledGlyph_ = glyph_.Resampled(glyphW, glyphH);
            resampledGlyph_.Draw(dc, x, y);
        }
    }
    if (text.cx > 0) {
        RECT tr{x + glyphW + spacing, r.top + (Height() - text.cy + 1) / 2 + shift, 0, 0};
        tr.right = tr.left + text.cx;
        tr.bottom = tr.top + text.cy;
        SetTextColor(dc, contrast ? look.Ink : state == State::Disabled ? GetSysColor(COLOR_GRAYTEXT) : CaptionColor());
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &tr, DT_SINGLELINE);
    }
}

const Picture& SpeedButton::ScaledGlyph(int width, int height) {
    if (resampledGlyph_.Width() != width || resampledGlyph_.Height() != height)
        resampledGlyph_ = glyph_.Resampled(width, height);
    return resampledGlyph_;
}

void SpeedButton::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (button == MouseButton::Left) {
        pressed_ = true;
        pointerIn_ = true;
        Invalidate();
    }
    GraphicControl::MouseDown(button, shift, x, y);
}

void SpeedButton::MouseMove(ShiftState shift, int x, int y) {
    if (pressed_) {
        const bool in = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (in != pointerIn_) {
            pointerIn_ = in;
            Invalidate();
        }
    }
    GraphicControl::MouseMove(shift, x, y);
}

void SpeedButton::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
    if (button == MouseButton::Left && pressed_) {
        pressed_ = false;
        pointerIn_ = false;
        Invalidate();
    }
    GraphicControl::MouseUp(button, shift, x, y);
}

void SpeedButton::MouseEnter() {
    Invalidate();
    GraphicControl::MouseEnter();
}

void SpeedButton::MouseLeave() {
    Invalidate();
    GraphicControl::MouseLeave();
}

}  // namespace quorvex::tk
