#pragma once
// Where the bar comes up: at its stored position, or, when none is stored,
// next to the taskbar; and where it goes when the displays change.
#include <cstdint>
#include <optional>

#include "base/desktop.h"
#include "config/position.h"

namespace quorvex {

// The default placement, next to the taskbar, on the monitor the taskbar
// stands on. With that monitor's bounds as the screen (one screen: 0, 0,
// screen width, screen height) and r the taskbar's rectangle:
//  - bottom taskbar: 80 pixels above it, the bar's right edge 20 pixels left
//    of the taskbar's right end;
//  - top taskbar: just below it, same horizontal rule;
//  - left or right taskbar: vertically centred on the monitor, right of a
//    left taskbar, or with its right edge 20 pixels left of a right taskbar.
// The edge is the one the shell reports; when it does not say, it is judged
// as it always was: r.top at or below the screen's top is a bottom taskbar,
// else one ending within the screen height a top one, else a side one (left
// when r.left is left of the screen). A rectangle starting at the screen's
// top whose bottom rule would put the bar above the screen counts as a top
// taskbar when horizontal and a side one when vertical (left when it starts
// at or left of the screen's left edge).
// An auto-hidden taskbar counts as a line along its edge of the monitor: it
// does not push the bar away from that edge.
// The result lies entirely inside the monitor's work area (at its left / top
// edge when the bar is larger). The taskbar's monitor is the one under the
// inner edge of its rectangle when the edge is known, else the primary.
// No taskbar, an empty rectangle or no monitor: nullopt (the bar stays).
// Throws RangeError on arithmetic overflow.
std::optional<TPointI> PlaceNearTaskbar(const TDesktop& desktop, int barWidth, int barHeight);

// The same on one screen whose work area is the whole screen, with the
// edge judged from the rectangle.
std::optional<TPointI> PlaceNearTaskbar(const std::optional<TRectI>& taskbar, int screenWidth, int screenHeight,
                                        int barWidth, int barHeight);

// The stored position: left = primary width × WindowLeft / 1000, top =
// primary height × WindowTop / 1000 (truncated toward zero), so values below
// 0 or above 1000 reach monitors left of, above, right of or below the
// primary one. The bar comes up on the monitor it then lies mostly on, or on
// the nearest one when it lies on none, entirely inside that monitor's work
// area.
// A negative thousandth has always meant "no position stored" (-1 on a first
// run; a bar closed partly off the left or top screen edge stores one too):
// such a position is used only when the bar then lies mostly on a monitor
// other than the primary one; otherwise the result is nullopt and the bar
// takes the default placement. On one monitor a negative value therefore
// means the default placement, as it always has.
std::optional<TPointI> RestoreStoredPosition(std::int32_t leftThousandths, std::int32_t topThousandths,
                                             const TDesktop& desktop, int barWidth, int barHeight);

// The position stored at exit: left and top in thousandths of the primary
// monitor's width and height (SavePosition). Throws RangeError when there
// is no monitor.
TStoredPosition StorePosition(int left, int top, const TDesktop& desktop);

// After a display change: a bar whose every pixel is on some monitor stays
// (nullopt); any other comes onto the monitor it lies mostly on, or the
// nearest one, entirely inside that monitor's work area.
std::optional<TPointI> KeepOnDesktop(const TDesktop& desktop, const TRectI& bar);

}  // namespace quorvex
