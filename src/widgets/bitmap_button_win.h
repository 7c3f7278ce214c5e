#pragma once
// TBitmapButton: a windowless button drawn from four bitmaps (normal, active,
// down, disabled), each with its own transparent colour, with an optional
// caption. The bar's minimise and close buttons are two of these.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/high_contrast.h"
#include "toolkit/graphic_control.h"
#include "toolkit/handles.h"
#include "widgets/bitmap_button_state.h"

namespace quorvex {

class TBitmapButton : public tk::GraphicControl {
public:
    // Width 83, height 28 at (left, top); caption font 9 pt, black, "微软雅黑"
    // on newer systems and "宋体" otherwise.
    TBitmapButton(tk::Form& parent, std::string name, int left, int top);

    // While setting up, sizes follow the images, but the resize rule waits
    // until EndLoading.
    void BeginLoading() { FState.BeginLoading(); }
    void EndLoading() { FState.EndLoading(); }

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    HFONT Font() const { return FFont.get(); }
    // Copies the font's attributes into the button's own font.
    void SetFont(HFONT font);
    void SetFont(const LOGFONTW& font);

    // Copies the bitmap (the caller keeps its own); width, then height follow it.
    void SetBitmap(TButtonImage which, HBITMAP bitmap);
    // A BITMAP resource of `module`; throws Error when there is none.
    void SetBitmapFromResource(TButtonImage which, HINSTANCE module, int id);
    HBITMAP Bitmap(TButtonImage which) const;
    void SetTransparent(TButtonImage which, bool value) { FState.SetTransparent(which, value); }
    void SetTransparentColor(TButtonImage which, COLORREF value) { FState.SetTransparentColor(which, value); }
    bool Transparent(TButtonImage which) const { return FState.Image(which).Transparent; }
    COLORREF TransparentColor(TButtonImage which) const { return FState.Image(which).TransparentColor; }

    bool AutoSize() const { return FState.AutoSize(); }
    void SetAutoSize(bool value) {
        Sync();
        FState.SetAutoSize(value);
    }
    bool HotTrack() const { return FState.HotTrack(); }
    void SetHotTrack(bool value) { FState.SetHotTrack(value); }
    bool Pressed() const { return FState.Pressed(); }
    bool Hot() const { return FState.Hot(); }
    const TBitmapButtonState& State() const { return FState; }

    // The width of a text in the button's font.
    int TextWidth(const std::wstring& text) const;

    // tk::GraphicControl
    void Paint(HDC dc) override;
    void Click() override;
    void MouseDown(tk::MouseButton button, tk::ShiftState shift, int x, int y) override;
    void MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) override;
    void MouseMove(tk::ShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DialogChar(wchar_t ch) override;
    void Resized() override;
    void DpiChanged(int fromDpi, int toDpi) override;
    void EnabledChanged() override;

private:
    // A length on the form, in pixels, as a design length (96 DPI).
    int ToDesign(int pixels) const;
    tk::UniqueBitmap& BitmapRef(TButtonImage which);
    void DrawImage(HDC dc, const TBitmapButtonPaint& plan);
    void DrawContrastImage(HDC dc, const TBitmapButtonPaint& plan, const ContrastLook& look);
    void DrawCaption(HDC dc, COLORREF colour);
    void Sync() {
        const int left = ToDesign(Left()), top = ToDesign(Top());
        FState.SyncBounds(TRectI{left, top, left + ToDesign(Width()), top + ToDesign(Height())});
    }

    TBitmapButtonState FState;
    std::wstring FCaption;
    tk::UniqueFont FFont;
    tk::UniqueBitmap FNormal, FActive, FDown, FDisable;
    bool FFormClickPending = false;  // the form clicks after the release; the state already did
};

}  // namespace quorvex
