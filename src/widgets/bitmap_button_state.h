#pragma once
// The behaviour of the bitmap button, free of any drawing: its properties and
// their setters, which image a paint uses, the size rules and the reactions to
// pointer and mouse. The windowless control on the Windows side owns one of
// these, feeds it the mouse and draws what PaintPlan() says.
#include <cstdint>
#include <functional>
#include <string>

#include "base/desktop.h"
#include "toolkit/mouse_button.h"

namespace quorvex {

// The toolkit's no-colour value: not an RGB colour, it means "draw nothing".
constexpr std::uint32_t clNone = 0x1FFFFFFF;
// Magenta, the transparent colour of the program's bitmaps (0x00BBGGRR).
constexpr std::uint32_t clMagenta = 0xFF00FF;

enum class TButtonImage { Normal, Active, Down, Disable };

struct TImageInfo {
    int Width = 0;
    int Height = 0;
    bool Transparent = true;
    std::uint32_t TransparentColor = clMagenta;
    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// What one paint draws, in this order: the image (at 0,0, never stretched),
// then the caption.
struct TBitmapButtonPaint {
    TButtonImage Image = TButtonImage::Normal;
    bool Transparent = true;
    std::uint32_t TransparentColor = clMagenta;
    bool DrawImage = false;    // false for an empty image
    bool DrawCaption = false;  // DT_CENTER | DT_VCENTER | DT_SINGLELINE, prefixes on
};

// Default caption font face: a newer system gets its UI face.
const char* BitmapButtonDefaultFace(bool newerSystem);

// The accelerator character of a caption: the code point after a single "&"
// ("&&" stands for a literal ampersand). 0 when there is none.
char32_t AcceleratorChar(const std::string& utf8Caption);
// The toolkit's accelerator test: `ch` matches the caption's accelerator,
// letters compared without regard to case.
bool IsAccel(char32_t ch, const std::string& utf8Caption);

class TBitmapButtonState {
public:
    using TNotify = std::function<void()>;
    using TMouseEvent = std::function<void(tk::MouseButton, unsigned shift, int x, int y)>;
    using TMoveEvent = std::function<void(unsigned shift, int x, int y)>;

    // Host services: repaint marks the button's area; BoundsChanged moves the
    // real control; MeasureText gives a text's width in the button's font.
    struct Host {
        std::function<void()> Repaint;
        std::function<void(const TRectI&)> BoundsChanged;
        std::function<int(const std::string&)> MeasureText;
    };

    explicit TBitmapButtonState(Host host);

    // Properties.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value) { FHotTrack = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);

    const TImageInfo& Image(TButtonImage which) const;
    // The image's size after a bitmap was assigned (0 x 0 for an empty one):
    // width, then height, follow it.
    void ImageAssigned(TButtonImage which, int width, int height);
    void SetTransparent(TButtonImage which, bool value);
    void SetTransparentColor(TButtonImage which, std::uint32_t value);
    // The font changed: only a repaint.
    void FontChanged();

    // Geometry. Every change of position or size runs the resize rule,
    // except while the form is being loaded.
    const TRectI& Bounds() const { return FBounds; }
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { SetBounds(FBounds.Left, FBounds.Top, width, FBounds.Bottom - FBounds.Top); }
    void SetHeight(int height) { SetBounds(FBounds.Left, FBounds.Top, FBounds.Right - FBounds.Left, height); }
    // Takes the control's bounds as they are, without the resize rule (the
    // control moved through its parent, e.g. by its anchors).
    void SyncBounds(const TRectI& bounds) { FBounds = bounds; }
    void BeginLoading() { FLoading = true; }
    void EndLoading() { FLoading = false; }
    bool Loading() const { return FLoading; }

    // State.
    bool Pressed() const { return FPressed; }
    bool Hot() const { return FHot; }
    TBitmapButtonPaint PaintPlan() const;

    // Input. shift carries the toolkit's shift-state bits unchanged.
    void MouseEnter();
    void MouseLeave();
    void MouseMove(unsigned shift, int x, int y);
    // doubleClick: the second press of a double click, which never clicks.
    void MouseDown(tk::MouseButton button, unsigned shift, int x, int y, bool doubleClick = false);
    void MouseUp(tk::MouseButton button, unsigned shift, int x, int y);
    // Only a left press takes the mouse capture.
    static bool CapturesMouse(tk::MouseButton button) { return button == tk::MouseButton::Left; }
    // The click operation: raises OnClick and nothing else.
    void Click();
    // The dialog key handling offers a character; true when taken.
    bool DialogChar(char32_t ch);

    TNotify OnClick, OnMouseEnter, OnMouseLeave;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMoveEvent OnMouseMove;

private:
    void Repaint();
    void RunAutoSize(bool value);
    void Resize();
    TImageInfo& ImageRef(TButtonImage which);

    Host FHost;
    std::string FCaption;
    bool FAutoSize = false;
    bool FHotTrack = true;
    bool FEnabled = true;
    TImageInfo FNormal, FActive, FDownImage, FDisable;
    TRectI FBounds{0, 0, 83, 28};  // left, top, right, bottom
    bool FLoading = false;
    bool FPressed = false;
    bool FHot = false;
    bool FClickPending = false;  // a left press that may end in a click
};

}  // namespace quorvex
