#include "toolkit/graphic_control.h"

#include "toolkit/form.h"

namespace quorvex::tk {

GraphicControl::GraphicControl(Form& parent, std::string name, int left, int top, int width, int height)
    : parent_(&parent),
      left_(parent.Scale(left)),
      top_(parent.Scale(top)),
      width_(parent.Scale(width)),
      height_(parent.Scale(height)) {
    SetName(std::move(name));
    parent_->RegisterComponent(this);
    RememberAnchorDistances();
    Invalidate();
}

GraphicControl::~GraphicControl() {
    if (parent_) {
        Invalidate();
        parent_->UnregisterComponent(this);
    }
}

void GraphicControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    RememberAnchorDistances();
    Invalidate();
    parent_->UpdateHint(*this);
    if (resized) Resized();
}

void GraphicControl::RememberAnchorDistances() {
    anchoring_.Remember(BoundsRect(), parent_->ClientWidth(), parent_->ClientHeight());
}

void GraphicControl::ParentResized(int width, int height) {
    const RECT r = anchoring_.Follow(BoundsRect(), width, height);
    const Anchoring design = anchoring_;
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    // Distances stay those of the design, also when the parent got too small.
    anchoring_ = design;
}

void GraphicControl::RescaleDpi(int fromDpi, int toDpi) {
    left_ = ScaleLength(left_, toDpi, fromDpi);
    top_ = ScaleLength(top_, toDpi, fromDpi);
    width_ = ScaleLength(width_, toDpi, fromDpi);
    height_ = ScaleLength(height_, toDpi, fromDpi);
    anchoring_.Rescale(toDpi, fromDpi);
    // The parent has not taken its new size yet: what the control does in
    // its handlers must not measure its distances against the old one.
    const Anchoring rescaled = anchoring_;
    parent_->UpdateHint(*this);
    Resized();
    DpiChanged(fromDpi, toDpi);
    anchoring_ = rescaled;
}

void GraphicControl::SetAnchors(Anchors anchors) {
    anchoring_.SetEdges(anchors);
    RememberAnchorDistances();
}

void GraphicControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    parent_->InvalidateControl(BoundsRect());
    parent_->UpdateHint(*this);
}

void GraphicControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void GraphicControl::SetHint(std::wstring hint) {
    hint_ = std::move(hint);
    parent_->UpdateHint(*this);
}

void GraphicControl::SetShowHint(bool show) {
    showHint_ = show;
    parent_->UpdateHint(*this);
}

void GraphicControl::Invalidate() const {
    if (visible_ && parent_) parent_->InvalidateControl(BoundsRect());
}

void GraphicControl::Click() {
    if (OnClick) OnClick(*this);
}

void GraphicControl::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void GraphicControl::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void GraphicControl::MouseMove(ShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, MouseButton::Left, shift, x, y);
}

void GraphicControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}

void GraphicControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(*this);
}

bool GraphicControl::DialogChar(wchar_t) { return false; }

void GraphicControl::SetMouseInControl(bool in) { mouseInControl_ = in; }

}  // namespace quorvex::tk
