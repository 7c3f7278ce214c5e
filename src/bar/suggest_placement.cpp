#include "bar/suggest_placement.h"

#include <algorithm>

namespace quorvex {

TRectI PlaceSuggestList(const TRectI& box, int width, int height, const TRectI& workArea) {
    width = std::max(width, 1);
    height = std::max(height, 0);
    const int below = std::max(workArea.Bottom - box.Bottom, 0);
    const int above = std::max(box.Top - workArea.Top, 0);
    TRectI r;
    if (height <= below || (height > above && below >= above)) {
        r.Top = box.Bottom;
        r.Bottom = box.Bottom + std::min(height, below);
    } else {
        r.Bottom = box.Top;
        r.Top = box.Top - std::min(height, above);
    }
    r.Left = box.Left;
    if (r.Left + width > workArea.Right) r.Left = workArea.Right - width;
    r.Left = std::max(r.Left, workArea.Left);
    r.Right = r.Left + width;
    return r;
}

}  // namespace quorvex
