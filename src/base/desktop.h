#pragma once
// The desktop the bar lives on: its monitors and the taskbar. Coordinates are
// virtual-screen pixels: the primary monitor's top-left corner is (0, 0), and
// other monitors may lie left of or above it (negative coordinates).
#include <optional>
#include <vector>

namespace quorvex {

struct TRectI {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TPointI {
    int X = 0, Y = 0;
};

struct TMonitor {
    TRectI Bounds;    // the whole monitor
    TRectI WorkArea;  // what the taskbar and other docked bars leave free
    bool Primary = false;
};

enum class TScreenEdge { Unknown, Left, Top, Right, Bottom };

struct TTaskbar {
    TRectI Rect;
    // The edge the shell reports the taskbar on; Unknown when it does not
    // say, and the edge is then judged from the rectangle.
    TScreenEdge Edge = TScreenEdge::Unknown;
    bool AutoHide = false;
};

struct TDesktop {
    std::vector<TMonitor> Monitors;
    std::optional<TTaskbar> Taskbar;  // none: no taskbar window
};

// One primary monitor at (0, 0) whose work area is the whole screen.
TDesktop SingleScreen(int width, int height);

// The monitor flagged primary (the first one when none is); nullptr when
// there are no monitors.
const TMonitor* PrimaryMonitor(const TDesktop& desktop);

// The monitor sharing the largest area with `r`; nullptr when it shares
// none with any monitor (an empty rectangle counts as its top-left pixel).
const TMonitor* MonitorUnder(const TDesktop& desktop, const TRectI& r);

// MonitorUnder, else the monitor nearest to `r`; nullptr only without monitors.
const TMonitor* MonitorNearest(const TDesktop& desktop, const TRectI& r);

// The top-left corner that puts a width × height rectangle standing at `at`
// inside `area`, moving it as little as possible; one larger than the area
// starts at the area's left or top edge.
TPointI ClampInto(TPointI at, int width, int height, const TRectI& area);

// Every pixel of `r` is on some monitor (monitors never overlap).
bool OnMonitors(const TDesktop& desktop, const TRectI& r);

}  // namespace quorvex
