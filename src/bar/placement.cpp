#include "bar/placement.h"

#include "base/checked.h"

namespace quorvex {
namespace {

constexpr int GapAboveBottomTaskbar = 80;
constexpr int GapLeftOfTaskbarEnd = 20;

int Mid(int low, int high) { return SaturatingCast<int>(std::int64_t{low} + (std::int64_t{high} - low) / 2); }

TRectI Pixel(std::int64_t x, std::int64_t y) {
    return {SaturatingCast<int>(x), SaturatingCast<int>(y), SaturatingCast<int>(x + 1), SaturatingCast<int>(y + 1)};
}

// With the edge known, the monitor under the taskbar's inner edge: an
// auto-hidden taskbar that has slid off its monitor still touches it there.
const TMonitor* TaskbarMonitor(const TDesktop& desktop, const TTaskbar& taskbar) {
    const TRectI& r = taskbar.Rect;
    switch (taskbar.Edge) {
    case TScreenEdge::Bottom:
        return MonitorNearest(desktop, Pixel(Mid(r.Left, r.Right), r.Top));
    case TScreenEdge::Top:
        return MonitorNearest(desktop, Pixel(Mid(r.Left, r.Right), std::int64_t{r.Bottom} - 1));
    case TScreenEdge::Left:
        return MonitorNearest(desktop, Pixel(std::int64_t{r.Right} - 1, Mid(r.Top, r.Bottom)));
    case TScreenEdge::Right:
        return MonitorNearest(desktop, Pixel(r.Left, Mid(r.Top, r.Bottom)));
    case TScreenEdge::Unknown:
        break;
    }
    return PrimaryMonitor(desktop);
}

// The edge of a taskbar the shell did not name, from its rectangle and the
// screen (the monitor's bounds).
TScreenEdge JudgeEdge(const TRectI& r, const TRectI& screen, int barHeight) {
    if (r.Top >= screen.Top) {
        const int top = CheckedSub(CheckedSub(r.Top, barHeight), GapAboveBottomTaskbar);
        // A taskbar that starts at the top edge is not at the bottom: the
        // bottom rule would put the bar over the top of the screen.
        if (top < screen.Top && r.Top == screen.Top) {
            const bool horizontal = CheckedSub(r.Right, r.Left) >= CheckedSub(r.Bottom, r.Top);
            if (horizontal) return TScreenEdge::Top;
            return r.Left <= screen.Left ? TScreenEdge::Left : TScreenEdge::Right;
        }
        return TScreenEdge::Bottom;
    }
    if (screen.Bottom >= r.Bottom) return TScreenEdge::Top;
    return r.Left < screen.Left ? TScreenEdge::Left : TScreenEdge::Right;
}

// An auto-hidden taskbar takes no room: a line along its edge of the screen.
TRectI AsLineAlongEdge(TRectI r, TScreenEdge edge, const TRectI& screen) {
    switch (edge) {
    case TScreenEdge::Bottom:
        r.Top = screen.Bottom;
        break;
    case TScreenEdge::Top:
        r.Bottom = screen.Top;
        break;
    case TScreenEdge::Left:
        r.Right = screen.Left;
        break;
    case TScreenEdge::Right:
        r.Left = screen.Right;
        break;
    case TScreenEdge::Unknown:
        break;
    }
    return r;
}

}  // namespace

std::optional<TPointI> PlaceNearTaskbar(const TDesktop& desktop, int barWidth, int barHeight) {
    if (!desktop.Taskbar) return std::nullopt;
    const TTaskbar& taskbar = *desktop.Taskbar;
    if (taskbar.Rect.Right <= taskbar.Rect.Left || taskbar.Rect.Bottom <= taskbar.Rect.Top) return std::nullopt;
    const TMonitor* monitor = TaskbarMonitor(desktop, taskbar);
    if (!monitor) return std::nullopt;
    const TRectI& screen = monitor->Bounds;

    const TScreenEdge edge =
        taskbar.Edge != TScreenEdge::Unknown ? taskbar.Edge : JudgeEdge(taskbar.Rect, screen, barHeight);
    const TRectI r = taskbar.AutoHide ? AsLineAlongEdge(taskbar.Rect, edge, screen) : taskbar.Rect;
    TPointI p;
    auto leftOfTaskbarEnd = [&] { return CheckedSub(CheckedSub(r.Right, barWidth), GapLeftOfTaskbarEnd); };
    switch (edge) {
    case TScreenEdge::Bottom:
        p = {leftOfTaskbarEnd(), CheckedSub(CheckedSub(r.Top, barHeight), GapAboveBottomTaskbar)};
        break;
    case TScreenEdge::Top:
        p = {leftOfTaskbarEnd(), r.Bottom};
        break;
    case TScreenEdge::Left:
    case TScreenEdge::Right:
    case TScreenEdge::Unknown: {
        const int centred = CheckedAdd(screen.Top, CheckedSub(CheckedSub(screen.Bottom, screen.Top), barHeight) / 2);
        const int x =
            edge == TScreenEdge::Left ? r.Right : CheckedSub(CheckedSub(r.Left, barWidth), GapLeftOfTaskbarEnd);
        p = {x, centred};
        break;
    }
    }
    return ClampInto(p, barWidth, barHeight, monitor->WorkArea);
}

std::optional<TPointI> PlaceNearTaskbar(const std::optional<TRectI>& taskbar, int screenWidth, int screenHeight,
                                        int barWidth, int barHeight) {
    if (!taskbar) return std::nullopt;
    TDesktop desktop = SingleScreen(screenWidth, screenHeight);
    desktop.Taskbar = TTaskbar{*taskbar};
    return PlaceNearTaskbar(desktop, barWidth, barHeight);
}

std::optional<TPointI> RestoreStoredPosition(std::int32_t leftThousandths, std::int32_t topThousandths,
                                             const TDesktop& desktop, int barWidth, int barHeight) {
    const TMonitor* primary = PrimaryMonitor(desktop);
    if (!primary) return std::nullopt;
    // The thousandths count in the primary monitor's width and height.
    const std::int64_t width = std::int64_t{primary->Bounds.Right} - primary->Bounds.Left;
    const std::int64_t height = std::int64_t{primary->Bounds.Bottom} - primary->Bounds.Top;
    const TPointI at{SaturatingCast<int>(FromThousandths(leftThousandths, SaturatingCast<std::int32_t>(width))),
                     SaturatingCast<int>(FromThousandths(topThousandths, SaturatingCast<std::int32_t>(height)))};
    const TRectI bar{at.X, at.Y, SaturatingCast<int>(std::int64_t{at.X} + barWidth),
                     SaturatingCast<int>(std::int64_t{at.Y} + barHeight)};

    const TMonitor* monitor = MonitorUnder(desktop, bar);
    if (leftThousandths < 0 || topThousandths < 0) {
        if (!monitor || monitor == primary) return std::nullopt;
    } else if (!monitor) {
        monitor = MonitorNearest(desktop, bar);
    }
    return ClampInto(at, barWidth, barHeight, monitor->WorkArea);
}

TStoredPosition StorePosition(int left, int top, const TDesktop& desktop) {
    const TMonitor* primary = PrimaryMonitor(desktop);
    if (!primary) throw RangeError("Invalid screen size");
    return SavePosition(left, top, CheckedSub(primary->Bounds.Right, primary->Bounds.Left),
                        CheckedSub(primary->Bounds.Bottom, primary->Bounds.Top));
}

std::optional<TPointI> KeepOnDesktop(const TDesktop& desktop, const TRectI& bar) {
    if (OnMonitors(desktop, bar)) return std::nullopt;
    const TMonitor* monitor = MonitorNearest(desktop, bar);
    if (!monitor) return std::nullopt;
    const int width = SaturatingCast<int>(std::int64_t{bar.Right} - bar.Left);
    const int height = SaturatingCast<int>(std::int64_t{bar.Bottom} - bar.Top);
    return ClampInto({bar.Left, bar.Top}, width, height, monitor->WorkArea);
}

}  // namespace quorvex
