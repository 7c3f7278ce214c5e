#pragma once
// Windowless controls: no window of their own. The parent form paints them
// onto its (double-buffered) surface in the order they were added (later ones
// on top) and feeds them its mouse input; a left press captures the mouse for
// the control until the release, and a release inside the control clicks it.
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/anchors.h"
#include "toolkit/component.h"
#include "toolkit/shift_state.h"

namespace quorvex::tk {

class Form;
class PopupMenu;

class GraphicControl : public Component {
public:
    using NotifyEvent = std::function<void(GraphicControl& sender)>;
    using MouseEvent = std::function<void(GraphicControl& sender, MouseButton button, ShiftState shift, int x, int y)>;

    ~GraphicControl() override;

    Form* Parent() const { return parent_; }

    // Bounds in the parent's client coordinates.
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

    // Edges of the parent the control keeps its distance to (anchors.h).
    Anchors GetAnchors() const { return anchoring_.Edges(); }
    void SetAnchors(Anchors anchors);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const std::wstring& Hint() const { return hint_; }
    void SetHint(std::wstring hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    // A menu opened at the mouse position by a right click on the control.
    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

    // The pointer is over the control / a left press on it is not released yet.
    bool MouseInControl() const { return mouseInControl_; }

    // Marks the control's area for repainting; the paint follows through the parent.
    void Invalidate() const;

    // Clicks the control in code: raises OnClick (also while hidden).
    virtual void Click();

    NotifyEvent OnClick;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseEvent OnMouseMove;

    // Paints the control at its bounds on the parent's surface.
    virtual void Paint(HDC dc) = 0;

    // Mouse input from the parent; x and y relative to the control's top-left.
    // The second press of a double click is a left press with ssDouble.
    // Overrides call the base to raise the events.
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // An accelerator character offered by the form's key handling; true = taken.
    virtual bool DialogChar(wchar_t ch);
    // After the size changed (also through the anchors).
    virtual void Resized() {}
    // After Enabled changed; the base repaints.
    virtual void EnabledChanged() { Invalidate(); }
    // After the parent's DPI changed and the bounds were rescaled: pictures
    // and fonts of the control's own are made again here.
    virtual void DpiChanged(int /*fromDpi*/, int /*toDpi*/) {}

protected:
    // Adds the control to the parent (which owns it) with its design bounds
    // (96 DPI), scaled to the parent's DPI.
    GraphicControl(Form& parent, std::string name, int left, int top, int width, int height);

private:
    friend class Form;
    // The parent's client area is now width × height (anchor rule).
    void ParentResized(int width, int height);
    void RememberAnchorDistances();
    void SetMouseInControl(bool in);
    // The parent's DPI changed from `fromDpi` to `toDpi` (before it resizes).
    void RescaleDpi(int fromDpi, int toDpi);

    Form* parent_;
    int left_, top_, width_, height_;
    Anchoring anchoring_;
    bool visible_ = true;
    bool enabled_ = true;
    bool showHint_ = true;
    bool mouseInControl_ = false;
    std::wstring hint_;
    PopupMenu* popupMenu_ = nullptr;
};

}  // namespace quorvex::tk
