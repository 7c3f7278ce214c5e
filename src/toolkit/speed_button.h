#pragma once
// A flat speed button: a windowless button with a glyph and a caption that
// draws its face only while the pointer is over it (raised) or it is pressed
// (sunken), so the surface beneath shows through otherwise. It never takes
// the keyboard focus.
#include <string>

#include "toolkit/graphic_control.h"
#include "toolkit/picture.h"

namespace quorvex::tk {

class SpeedButton : public GraphicControl {
public:
    enum class State { Up, Hot, Down, Disabled };

    SpeedButton(Form& parent, std::string name, int left, int top, int width, int height);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    // The glyph's bottom-left pixel colour is drawn transparent. The glyph is
    // artwork for `artworkPercent` (see Image::SetPicture).
    void SetGlyph(Picture glyph, int artworkPercent = 100);

    // Colour of an enabled button's caption; until set, the system's button
    // text colour. A disabled caption is always drawn in the grey text colour.
    COLORREF CaptionColor() const;
    void SetCaptionColor(COLORREF color);
    void ResetCaptionColor();

    // What the face shows now.
    State GetState() const;

    void Paint(HDC dc) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    // The glyph resampled to width × height, kept for the next paint.
    const Picture& ScaledGlyph(int width, int height);

    std::wstring caption_;
    Picture glyph_;
    Picture resampledGlyph_;  // the glyph at the form's scale, where that differs
    int glyphPercent_ = 100;
    // Not an RGB value (the high byte is set): follow the system colour.
    static constexpr COLORREF SystemCaptionColor = 0xFF000000;
    COLORREF captionColor_ = SystemCaptionColor;
    bool pressed_ = false;    // left press on the button, not yet released
    bool pointerIn_ = false;  // while pressed: the pointer is inside the button
};

}  // namespace quorvex::tk
