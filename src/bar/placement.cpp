#include "bar/placement.h"

#include <algorithm>

#include "base/checked.h"

namespace quorvex {
namespace {

int Clamp(int v, int low, int high) { return std::max(low, std::min(v, high)); }

}  // namespace

std::optional<TPointI> PlaceNearTaskbar(const std::optional<TRectI>& taskbar, int screenWidth, int screenHeight,
                                        int barWidth, int barHeight) {
    if (!taskbar) return std::nullopt;
    const TRectI& r = *taskbar;
    if (r.Right <= r.Left || r.Bottom <= r.Top) return std::nullopt;

    TPointI p;
    auto sideRule = [&](bool leftEdge) {
        p.Y = CheckedSub(screenHeight, barHeight) / 2;
        p.X = leftEdge ? r.Right : CheckedSub(CheckedSub(r.Left, barWidth), 20);
    };
    if (r.Top >= 0) {
        p.Y = CheckedSub(CheckedSub(r.Top, barHeight), 80);
        p.X = CheckedSub(CheckedSub(r.Right, barWidth), 20);
        // A taskbar that starts at the top edge is not at the bottom: the rule
        // above would put the bar over the top of the screen. A horizontal one
        // is a top taskbar, a vertical one stands along a side.
        if (p.Y < 0 && r.Top == 0) {
            const bool horizontal = CheckedSub(r.Right, r.Left) >= CheckedSub(r.Bottom, r.Top);
            if (horizontal) p.Y = r.Bottom;
            else sideRule(r.Left <= 0);
        }
    } else if (screenHeight >= r.Bottom) {
        p.Y = r.Bottom;
        p.X = CheckedSub(CheckedSub(r.Right, barWidth), 20);
    } else {
        sideRule(r.Left < 0);
    }
    if (p.X < 0) p.X = 0;
    // Entirely on the screen.
    p.X = Clamp(p.X, 0, std::max(0, CheckedSub(screenWidth, barWidth)));
    p.Y = Clamp(p.Y, 0, std::max(0, CheckedSub(screenHeight, barHeight)));
    return p;
}

}  // namespace quorvex
