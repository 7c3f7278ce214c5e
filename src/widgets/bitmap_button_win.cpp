#include "widgets/bitmap_button_win.h"

#include <string>

#include "base/dpi_scale.h"
#include "base/error.h"
#include "base/os_version_win.h"
#include "base/system_error_win.h"
#include "toolkit/font.h"
#include "toolkit/form.h"
#include "toolkit/high_contrast.h"
#include "toolkit/picture.h"
#include "toolkit/text.h"

namespace quorvex {

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap, sizeof info, &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

}  // namespace

TBitmapButton::TBitmapButton(tk::Form& parent, std::string name, int left, int top)
    : tk::GraphicControl(parent, std::move(name), left, top, 83, 28),
      FState(TBitmapButtonState::Host{
          [this] { Invalidate(); },
          // The state keeps design bounds (96 DPI); the control has them in pixels.
          [this](const TRectI& b) {
              tk::Form& form = *Parent();
              tk::GraphicControl::SetBounds(form.Scale(b.Left), form.Scale(b.Top), form.Scale(b.Right - b.Left),
                                            form.Scale(b.Bottom - b.Top));
          },
          [this](const std::string& text) { return ToDesign(TextWidth(tk::Utf8ToWide(text))); }}) {
    FState.SetBounds(left, top, 83, 28);
    const std::wstring face = tk::Utf8ToWide(PickByVersion("微软雅黑", "宋体"));
    FFont = tk::CreateUiFont(tk::FontRequest{face, 12, GB2312_CHARSET}, parent.Dpi());

    FState.OnClick = [this] { tk::GraphicControl::Click(); };
    FState.OnMouseEnter = [this] { tk::GraphicControl::MouseEnter(); };
    FState.OnMouseLeave = [this] { tk::GraphicControl::MouseLeave(); };
    FState.OnMouseMove = [this](unsigned shift, int x, int y) { tk::GraphicControl::MouseMove(shift, x, y); };
    FState.OnMouseDown = [this](tk::MouseButton b, unsigned shift, int x, int y) {
        tk::GraphicControl::MouseDown(b, shift, x, y);
    };
    FState.OnMouseUp = [this](tk::MouseButton b, unsigned shift, int x, int y) {
        tk::GraphicControl::MouseUp(b, shift, x, y);
    };
}

tk::UniqueBitmap& TBitmapButton::BitmapRef(TButtonImage which) {
    switch (which) {
    case TButtonImage::Normal:
        return FNormal;
    case TButtonImage::Active:
        return FActive;
    case TButtonImage::Down:
        return FDown;
    case TButtonImage::Disable:
        return FDisable;
    }
    return FNormal;
}

HBITMAP TBitmapButton::Bitmap(TButtonImage which) const {
    return const_cast<TBitmapButton*>(this)->BitmapRef(which).get();
}

void TBitmapButton::SetBitmap(TButtonImage which, HBITMAP bitmap) {
    tk::UniqueBitmap copy;
    if (bitmap) {
        copy.reset(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
        if (!copy) ThrowLastError("The bitmap cannot be copied");
    }
    const SIZE size = BitmapSize(copy.get());
    BitmapRef(which) = std::move(copy);
    Sync();
    FState.ImageAssigned(which, size.cx, size.cy);
    Invalidate();
}

void TBitmapButton::SetBitmapFromResource(TButtonImage which, HINSTANCE module, int id) {
    tk::UniqueBitmap bitmap(
        static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) {
        const DWORD code = GetLastError();
        ThrowSystemError("Bitmap resource " + std::to_string(id) + " is missing", code);
    }
    SetBitmap(which, bitmap.get());
}

void TBitmapButton::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    FState.SetCaption(tk::WideToUtf8(caption));
}

void TBitmapButton::SetFont(HFONT font) {
    LOGFONTW log{};
    if (!font || GetObjectW(font, sizeof log, &log) == 0) throw Error("Not a font");
    SetFont(log);
}

void TBitmapButton::SetFont(const LOGFONTW& font) {
    tk::UniqueFont copy(CreateFontIndirectW(&font));
    if (!copy) ThrowLastError("The font cannot be created");
    FFont = std::move(copy);
    FState.FontChanged();
}

int TBitmapButton::TextWidth(const std::wstring& text) const {
    tk::WindowDc dc(nullptr);
    tk::SelectObjectScope font(dc.get(), FFont.get());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void TBitmapButton::DrawImage(HDC dc, const TBitmapButtonPaint& plan) {
    HBITMAP bitmap = Bitmap(plan.Image);
    if (!plan.DrawImage || !bitmap) return;
    const TImageInfo& image = FState.Image(plan.Image);
    // The images are design-sized: drawn 1:1 at 96 DPI, resampled to the
    // form's scale otherwise.
    const int width = Parent()->Scale(image.Width);
    const int height = Parent()->Scale(image.Height);
    if (width != image.Width || height != image.Height) {
        tk::Picture picture = tk::Picture::FromBitmap(bitmap);
        if (plan.Transparent) picture.MakeTransparent(plan.TransparentColor);
        picture.Resampled(width, height).Draw(dc, Left(), Top());
        return;
    }
    tk::UniqueMemoryDc memory(CreateCompatibleDC(dc));
    tk::SelectObjectScope select(memory.get(), bitmap);
    if (plan.Transparent) {
        TransparentBlt(dc, Left(), Top(), image.Width, image.Height, memory.get(), 0, 0, image.Width, image.Height,
                       plan.TransparentColor);
    } else {
        BitBlt(dc, Left(), Top(), image.Width, image.Height, memory.get(), 0, 0, SRCCOPY);
    }
}

void TBitmapButton::DrawCaption(HDC dc, COLORREF colour) {
    tk::SelectObjectScope font(dc, FFont.get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    RECT r = BoundsRect();
    DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

// High contrast: the image's shape in the state's face colour with its light
// symbol in the ink, at the form's scale.
void TBitmapButton::DrawContrastImage(HDC dc, const TBitmapButtonPaint& plan, const ContrastLook& look) {
    HBITMAP bitmap = Bitmap(plan.Image);
    if (!plan.DrawImage || !bitmap) return;
    const TImageInfo& image = FState.Image(plan.Image);
    tk::Picture picture = tk::Picture::FromBitmap(bitmap);
    if (plan.Transparent) picture.MakeTransparent(plan.TransparentColor);
    const int width = Parent()->Scale(image.Width);
    const int height = Parent()->Scale(image.Height);
    if (width != picture.Width() || height != picture.Height()) picture = picture.Resampled(width, height);
    ContrastPixels(picture.Bits(),
                   static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height()), look.Fill,
                   look.Ink);
    picture.Draw(dc, Left(), Top());
}

void TBitmapButton::Paint(HDC dc) {
    const TBitmapButtonPaint plan = FState.PaintPlan();
    if (tk::HighContrastOn()) {
        const ContrastState state = plan.Image == TButtonImage::Active    ? ContrastState::Hot
                                    : plan.Image == TButtonImage::Down    ? ContrastState::Down
                                    : plan.Image == TButtonImage::Disable ? ContrastState::Disabled
                                                                          : ContrastState::Normal;
        const ContrastLook look = ContrastLookFor(state, tk::SystemContrastPalette());
        DrawContrastImage(dc, plan, look);
        if (plan.DrawCaption) DrawCaption(dc, look.Ink);
        return;
    }
    DrawImage(dc, plan);
    if (plan.DrawCaption) DrawCaption(dc, RGB(0, 0, 0));
}

void TBitmapButton::Click() {
    if (FFormClickPending) {
        // The form's click after a release: the state has already decided.
        FFormClickPending = false;
        return;
    }
    tk::GraphicControl::Click();
}

void TBitmapButton::MouseDown(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    const bool doubleClick = button == tk::MouseButton::Left && (shift & tk::ssDouble);
    if (button == tk::MouseButton::Left) FFormClickPending = false;
    FState.MouseDown(button, shift & ~tk::ShiftState{tk::ssDouble}, ToDesign(x), ToDesign(y), doubleClick);
}

void TBitmapButton::MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    if (button == tk::MouseButton::Left) FFormClickPending = x >= 0 && y >= 0 && x < Width() && y < Height();
    FState.MouseUp(button, shift, ToDesign(x), ToDesign(y));
}

void TBitmapButton::MouseMove(tk::ShiftState shift, int x, int y) { FState.MouseMove(shift, ToDesign(x), ToDesign(y)); }
void TBitmapButton::MouseEnter() { FState.MouseEnter(); }
void TBitmapButton::MouseLeave() { FState.MouseLeave(); }

bool TBitmapButton::DialogChar(wchar_t ch) { return FState.DialogChar(static_cast<char32_t>(ch)); }

int TBitmapButton::ToDesign(int pixels) const { return ScaleLength(pixels, DesignDpi, Parent()->Dpi()); }

void TBitmapButton::Resized() {
    FState.SetBounds(ToDesign(Left()), ToDesign(Top()), ToDesign(Width()), ToDesign(Height()));
}

// The caption font follows the display scale like the form's.
void TBitmapButton::DpiChanged(int fromDpi, int toDpi) {
    LOGFONTW log{};
    if (FFont && GetObjectW(FFont.get(), sizeof log, &log) != 0) {
        log.lfHeight = ScaleLength(log.lfHeight, toDpi, fromDpi);
        SetFont(log);
    }
}

void TBitmapButton::EnabledChanged() {
    FState.SetEnabled(Enabled());
    Invalidate();
}

}  // namespace quorvex
