#pragma once
// Anchors: the edges of its parent a control keeps its distance to when the
// parent's client area is resized. Left and top by default; left and right
// together stretch the control, right alone moves it. The one rule for
// windowless and windowed controls alike.
#include <windows.h>

#include "base/dpi_scale.h"

namespace quorvex::tk {

using Anchors = unsigned;
enum : Anchors { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

class Anchoring {
public:
    Anchors Edges() const { return edges_; }
    void SetEdges(Anchors edges) { edges_ = edges; }

    // Remembers the control's distances to the right and bottom edges of a
    // parent client area of width × height.
    void Remember(const RECT& bounds, int parentWidth, int parentHeight) {
        right_ = parentWidth - bounds.right;
        bottom_ = parentHeight - bounds.bottom;
    }

    // The control's bounds once the parent's client area is width × height;
    // a size that would fall below zero is zero.
    RECT Follow(const RECT& bounds, int parentWidth, int parentHeight) const {
        int left = bounds.left, top = bounds.top;
        int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
        if (edges_ & akRight) {
            if (edges_ & akLeft) width = parentWidth - right_ - left;
            else left = parentWidth - right_ - width;
        }
        if (edges_ & akBottom) {
            if (edges_ & akTop) height = parentHeight - bottom_ - top;
            else top = parentHeight - bottom_ - height;
        }
        if (width < 0) width = 0;
        if (height < 0) height = 0;
        return {left, top, left + width, top + height};
    }

    // The distances at another DPI (the control and its parent scale alike).
    void Rescale(int toDpi, int fromDpi) {
        right_ = ScaleLength(right_, toDpi, fromDpi);
        bottom_ = ScaleLength(bottom_, toDpi, fromDpi);
    }

private:
    Anchors edges_ = akLeft | akTop;
    int right_ = 0;   // parent width − right edge
    int bottom_ = 0;  // parent height − bottom edge
};

}  // namespace quorvex::tk
