#pragma once
// Where the bar first appears when no position is stored: next to the taskbar.
#include <optional>

namespace quorvex {

struct TRectI {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TPointI {
    int X = 0, Y = 0;
};

// `taskbar` is the taskbar window's rectangle, if there is a taskbar window.
// Rules:
//  - taskbar rectangle with top >= 0 (bottom taskbar): 80 pixels above it,
//    the bar's right edge 20 pixels left of the taskbar's right end;
//  - else a taskbar ending within the screen height (top taskbar): just
//    below it, same horizontal rule;
//  - else (left or right edge): vertically centred, right of a left taskbar,
//    or with its right edge 20 pixels left of a right taskbar;
//  - a left edge below 0 becomes 0.
// Beyond that the bar always comes up entirely on the screen: when a taskbar
// rectangle starting at 0 would put the bar above the screen, a horizontal
// taskbar counts as a top one (bar just below it) and a vertical one as a side
// one (left when it starts at x <= 0); any position still off the screen is
// pulled back onto it (to 0 when the bar is larger than the screen). No taskbar window, or an empty
// rectangle: no placement (nullopt, the bar stays where it is).
std::optional<TPointI> PlaceNearTaskbar(const std::optional<TRectI>& taskbar, int screenWidth, int screenHeight,
                                        int barWidth, int barHeight);

}  // namespace quorvex
