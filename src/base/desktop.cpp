#include "base/desktop.h"

#include <algorithm>
#include <cstdint>

namespace quorvex {
namespace {

// Rectangles from outside (registry, hand-made monitor lists) may span more
// than an int: every length below is taken in 64 bits.
std::int64_t Span(int low, int high) { return std::max<std::int64_t>(0, std::int64_t{high} - low); }

// A rectangle with no area still stands somewhere: its top-left pixel.
TRectI AtLeastAPixel(TRectI r) {
    if (r.Right <= r.Left) r.Right = r.Left == 2147483647 ? r.Left : r.Left + 1;
    if (r.Bottom <= r.Top) r.Bottom = r.Top == 2147483647 ? r.Top : r.Top + 1;
    return r;
}

// Shared area in pixels; below 2^64 for any two int rectangles.
std::uint64_t SharedArea(const TRectI& a, const TRectI& b) {
    const std::int64_t w = Span(std::max(a.Left, b.Left), std::min(a.Right, b.Right));
    const std::int64_t h = Span(std::max(a.Top, b.Top), std::min(a.Bottom, b.Bottom));
    return static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
}

// Gap between two rectangles along one axis (0 where they overlap on it).
double Gap(int lowA, int highA, int lowB, int highB) {
    if (highA <= lowB) return static_cast<double>(std::int64_t{lowB} - highA);
    if (highB <= lowA) return static_cast<double>(std::int64_t{lowA} - highB);
    return 0.0;
}

}  // namespace

TDesktop SingleScreen(int width, int height) {
    TDesktop d;
    const TRectI screen{0, 0, width, height};
    d.Monitors.push_back({screen, screen, true});
    return d;
}

const TMonitor* PrimaryMonitor(const TDesktop& desktop) {
    for (const TMonitor& m : desktop.Monitors)
        if (m.Primary) return &m;
    return desktop.Monitors.empty() ? nullptr : &desktop.Monitors.front();
}

const TMonitor* MonitorUnder(const TDesktop& desktop, const TRectI& r) {
    const TRectI at = AtLeastAPixel(r);
    const TMonitor* best = nullptr;
    std::uint64_t bestArea = 0;
    for (const TMonitor& m : desktop.Monitors) {
        const std::uint64_t area = SharedArea(at, m.Bounds);
        if (area > bestArea) {
            best = &m;
            bestArea = area;
        }
    }
    return best;
}

const TMonitor* MonitorNearest(const TDesktop& desktop, const TRectI& r) {
    if (const TMonitor* m = MonitorUnder(desktop, r)) return m;
    const TRectI at = AtLeastAPixel(r);
    const TMonitor* best = nullptr;
    double bestDistance = 0;
    for (const TMonitor& m : desktop.Monitors) {
        const double dx = Gap(at.Left, at.Right, m.Bounds.Left, m.Bounds.Right);
        const double dy = Gap(at.Top, at.Bottom, m.Bounds.Top, m.Bounds.Bottom);
        const double distance = dx * dx + dy * dy;
        if (!best || distance < bestDistance) {
            best = &m;
            bestDistance = distance;
        }
    }
    return best;
}

TPointI ClampInto(TPointI at, int width, int height, const TRectI& area) {
    auto clamp = [](int v, int low, int high, int extent) {
        // The last position that still fits, never left of / above the area.
        const std::int64_t last = std::max<std::int64_t>(low, std::int64_t{high} - std::max(extent, 0));
        return static_cast<int>(std::clamp<std::int64_t>(v, low, last));
    };
    return {clamp(at.X, area.Left, area.Right, width), clamp(at.Y, area.Top, area.Bottom, height)};
}

bool OnMonitors(const TDesktop& desktop, const TRectI& r) {
    const TRectI at = AtLeastAPixel(r);
    const std::uint64_t area = SharedArea(at, at);
    std::uint64_t covered = 0;
    for (const TMonitor& m : desktop.Monitors) {
        const std::uint64_t shared = SharedArea(at, m.Bounds);
        if (shared >= area - covered) return true;
        covered += shared;
    }
    return false;
}

}  // namespace quorvex
