#pragma once
// The desktop as the system reports it: the monitors (EnumDisplayMonitors,
// GetMonitorInfo) and the taskbar (its window "Shell_TrayWnd", and the
// shell's appbar messages for its place, edge and auto-hide state). Tests put
// a made-up desktop in its place with DesktopOverride.
#include <windows.h>

#include "base/desktop.h"

namespace quorvex {

enum class TTaskbarQuery { Skip, Ask };

// The desktop now: the newest live DesktopOverride's, else the system's.
// The system's taskbar is asked for only with TTaskbarQuery::Ask: that is a
// round trip to the shell, which only the default placement needs.
TDesktop CurrentDesktop(TTaskbarQuery taskbar = TTaskbarQuery::Skip);

// What the system reports. Always at least one monitor: the primary screen's
// size when the monitor calls fail. No taskbar when not asked for, or when
// its window is missing or has no area (as under Wine's desktop); otherwise
// its rectangle, edge and state from ABM_GETTASKBARPOS and ABM_GETSTATE where
// the shell answers, and the window's rectangle where it does not.
TDesktop SystemDesktop(TTaskbarQuery taskbar = TTaskbarQuery::Ask);

// While alive, CurrentDesktop() returns this object's desktop, which may be
// changed in between (a monitor unplugged, a taskbar moved).
class DesktopOverride {
public:
    explicit DesktopOverride(TDesktop desktop);
    ~DesktopOverride();
    DesktopOverride(const DesktopOverride&) = delete;
    DesktopOverride& operator=(const DesktopOverride&) = delete;

    TDesktop& Desktop() { return desktop_; }

private:
    TDesktop desktop_;
    DesktopOverride* previous_;
};

inline TRectI ToRectI(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The bounds of the monitor of CurrentDesktop() a window lies mostly on, or
// is nearest to.
TRectI MonitorBoundsOf(HWND window);

}  // namespace quorvex
