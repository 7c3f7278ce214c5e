// Placement on a desktop of several monitors: the stored position, the
// default placement next to the taskbar, display changes and the dialogs.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>

#include "bar/placement.h"
#include "base/desktop.h"
#include "base/error.h"
#include "config/position.h"
#include "widgets/dialog_placement.h"

namespace quorvex {
namespace {

constexpr int W = 256, H = 55;

// The primary 1280×800 with a 40-pixel taskbar at the bottom, a smaller
// monitor on its left (lower down), a wide one above and a tall one on its right.
const TRectI Primary{0, 0, 1280, 800};
const TRectI PrimaryWork{0, 0, 1280, 760};
const TRectI LeftOf{-1024, 100, 0, 868};
const TRectI Above{0, -900, 1600, 0};
const TRectI RightOf{1280, -200, 2480, 1720};

TDesktop FourMonitors() {
    TDesktop d;
    d.Monitors = {
        {LeftOf, LeftOf, false}, {Primary, PrimaryWork, true}, {Above, Above, false}, {RightOf, RightOf, false}};
    return d;
}

TDesktop Without(TDesktop d, const TRectI& gone) {
    for (auto it = d.Monitors.begin(); it != d.Monitors.end(); ++it) {
        if (it->Bounds.Left == gone.Left && it->Bounds.Top == gone.Top) {
            d.Monitors.erase(it);
            break;
        }
    }
    return d;
}

// Thousandths of the primary monitor (1280 × 800): 25 of them are 32
// pixels across, 5 of them 4 pixels down.
std::optional<TPointI> Restore(const TDesktop& d, std::int32_t left, std::int32_t top, int w = W) {
    return RestoreStoredPosition(left, top, d, w, H);
}

void ExpectAt(const std::optional<TPointI>& p, int x, int y) {
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->X, x);
    EXPECT_EQ(p->Y, y);
}

bool Inside(const TPointI& p, int w, int h, const TRectI& area) {
    return p.X >= area.Left && p.Y >= area.Top && p.X + w <= area.Right && p.Y + h <= area.Bottom;
}

TEST(MonitorPlacement, OneScreenKeepsTheSingleScreenRules) {
    // Stored positions: exactly the single-screen restore; negative ones
    // mean the default placement.
    const int sw = 1280, sh = 800;
    const TDesktop one = SingleScreen(sw, sh);
    for (std::int32_t t : {0, 1, 250, 500, 799, 800, 999, 1000, 1001, 2000, INT_MAX}) {
        const std::optional<TPointI> p = RestoreStoredPosition(t, 1000 - t % 1001, one, W, H);
        const TPixelPosition want = RestorePosition(t, 1000 - t % 1001, sw, sh, W, H);
        ExpectAt(p, want.Left, want.Top);
    }
    for (auto [l, t] : {std::pair{-1, -1}, {-1, 500}, {500, -1}, {INT_MIN, INT_MIN}, {-2000, 300}})
        EXPECT_FALSE(RestoreStoredPosition(l, t, one, W, H).has_value()) << l << "," << t;

    // The taskbar: the rules judged from its rectangle, as on one screen.
    const TRectI taskbars[] = {{0, 760, 1280, 800}, {-2, -2, 1282, 40}, {-2, -2, 60, 802},    {1220, -2, 1282, 802},
                               {0, 0, 1280, 30},    {0, 0, 60, 800},    {1220, 0, 1280, 800}, {0, 100, 1280, 140},
                               {0, 760, 1400, 800}, {0, 760, 200, 800}};
    for (const TRectI& r : taskbars) {
        TDesktop d = one;
        d.Taskbar = TTaskbar{r};
        const auto got = PlaceNearTaskbar(d, W, H);
        const auto want = PlaceNearTaskbar(r, sw, sh, W, H);
        ASSERT_TRUE(got && want);
        EXPECT_EQ(got->X, want->X) << r.Left << "," << r.Top;
        EXPECT_EQ(got->Y, want->Y) << r.Left << "," << r.Top;
    }
}

TEST(MonitorPlacement, StoredPositionsReachEveryMonitor) {
    const TDesktop d = FourMonitors();
    ExpectAt(Restore(d, 1575, 1875), 2016, 1500);  // right, below the primary's height
    ExpectAt(Restore(d, -700, 375), -896, 300);    // left: a negative left edge
    ExpectAt(Restore(d, 550, -625), 704, -500);    // above
    ExpectAt(Restore(d, 950, -625), 1216, -500);   // above, past the primary's width
    // A bar straddling two monitors comes up on the one it mostly lies on.
    ExpectAt(Restore(d, 950, 375), 1280, 300);
    ExpectAt(Restore(d, 850, 375), 1024, 300);
    // Inside the work area: not under the primary's taskbar.
    ExpectAt(Restore(d, 400, 925), 512, 705);
    // Mostly on the smaller left monitor, partly below it: pulled up onto it.
    ExpectAt(Restore(d, -500, 1050), -640, 868 - H);
}

TEST(MonitorPlacement, NegativeThousandthsStillMeanNotStoredOnThePrimary) {
    const TDesktop d = FourMonitors();
    // The first-run value -1 and a bar closed partly off the primary's left
    // or top edge: the default placement, as on one screen.
    EXPECT_FALSE(Restore(d, -1, -1).has_value());
    EXPECT_FALSE(Restore(d, -2, 500).has_value());
    EXPECT_FALSE(Restore(d, 312, -2).has_value());
    // Nowhere near a monitor, or on one that is gone.
    EXPECT_FALSE(Restore(d, INT_MIN, INT_MIN).has_value());
    EXPECT_FALSE(Restore(d, -3907, 375).has_value());
    EXPECT_FALSE(Restore(Without(d, LeftOf), -700, 375).has_value());
    EXPECT_FALSE(Restore(Without(d, Above), 80, -625).has_value());
    // Mostly over the left monitor: restored there, entirely on it.
    ExpectAt(Restore(d, -150, 500), -W, 400);
}

TEST(MonitorPlacement, AMonitorThatIsGoneSendsTheBarToTheNearestOne) {
    ExpectAt(Restore(Without(FourMonitors(), RightOf), 1575, 875), 1280 - W, 700);
    ExpectAt(Restore(Without(FourMonitors(), RightOf), 1575, 1875), 1280 - W, 760 - H);
    // Hand-edited extremes land inside some work area.
    const TDesktop d = FourMonitors();
    const auto far = Restore(d, INT_MAX, INT_MAX);
    ASSERT_TRUE(far.has_value());
    EXPECT_TRUE(Inside(*far, W, H, RightOf));
    // A bar wider than its monitor starts at the monitor's left edge.
    ExpectAt(Restore(d, 1575, 1875, 2000), 1280, 1500);
}

TEST(MonitorPlacement, TaskbarOfTheShell) {
    TDesktop d = FourMonitors();
    auto place = [&d](TRectI r, TScreenEdge edge, bool autoHide) {
        d.Taskbar = TTaskbar{r, edge, autoHide};
        return PlaceNearTaskbar(d, W, H);
    };
    // Reported edges, on the primary.
    ExpectAt(place({0, 760, 1280, 800}, TScreenEdge::Bottom, false), 1280 - W - 20, 760 - H - 80);
    ExpectAt(place({0, 0, 1280, 40}, TScreenEdge::Top, false), 1004, 40);
    ExpectAt(place({0, 0, 60, 800}, TScreenEdge::Left, false), 60, (800 - H) / 2);
    ExpectAt(place({1220, 0, 1280, 800}, TScreenEdge::Right, false), 1220 - W - 20, (800 - H) / 2);
    // Auto-hidden: as if the taskbar were a line along its edge, also when it
    // has slid down over the monitor below the primary's edge.
    ExpectAt(place({0, 798, 1280, 838}, TScreenEdge::Bottom, true), 1004, 800 - H - 80);
    ExpectAt(place({0, -38, 1280, 2}, TScreenEdge::Top, true), 1004, 0);
    ExpectAt(place({-58, 0, 2, 800}, TScreenEdge::Left, true), 0, (800 - H) / 2);
    ExpectAt(place({1278, 0, 1338, 800}, TScreenEdge::Right, true), 1280 - W - 20, (800 - H) / 2);
    // A taskbar moved to the right-hand monitor: the bar goes with it.
    ExpectAt(place({1280, 1680, 2480, 1720}, TScreenEdge::Bottom, false), 2480 - W - 20, 1680 - H - 80);
    ExpectAt(place({1280, -200, 1330, 1720}, TScreenEdge::Left, false), 1330, -200 + (1920 - H) / 2);
    // Judged edges use the primary, as before.
    ExpectAt(place({0, 760, 1280, 800}, TScreenEdge::Unknown, false), 1004, 625);
    // The work area bounds the result: here another bar docked above the
    // taskbar leaves the bottom 130 pixels.
    d.Monitors[1].WorkArea.Bottom = 670;
    ExpectAt(place({0, 770, 1280, 800}, TScreenEdge::Bottom, false), 1004, 670 - H);
    // No taskbar, an empty one, or no monitors: the bar stays where it is.
    d.Taskbar.reset();
    EXPECT_FALSE(PlaceNearTaskbar(d, W, H).has_value());
    EXPECT_FALSE(place({0, 0, 0, 0}, TScreenEdge::Bottom, false).has_value());
    d.Monitors.clear();
    EXPECT_FALSE(place({0, 760, 1280, 800}, TScreenEdge::Bottom, false).has_value());
}

TEST(MonitorPlacement, DisplayChangesBringTheBarBackOntoAMonitor) {
    const TDesktop d = FourMonitors();
    // Entirely on the monitors, also across two of them or under a taskbar: stays.
    EXPECT_FALSE(KeepOnDesktop(d, {2000, 500, 2000 + W, 500 + H}).has_value());
    EXPECT_FALSE(KeepOnDesktop(d, {1200, 300, 1200 + W, 300 + H}).has_value());
    EXPECT_FALSE(KeepOnDesktop(d, {100, 740, 100 + W, 740 + H}).has_value());
    // Its monitor unplugged: onto the nearest one's work area.
    ExpectAt(KeepOnDesktop(Without(d, RightOf), {2000, 700, 2000 + W, 700 + H}), 1280 - W, 700);
    ExpectAt(KeepOnDesktop(Without(d, LeftOf), {-900, 300, -900 + W, 300 + H}), 0, 300);
    // A smaller resolution left it partly off the screen: pulled in.
    ExpectAt(KeepOnDesktop(SingleScreen(1024, 768), {900, 730, 900 + W, 730 + H}), 1024 - W, 768 - H);
    // Nowhere at all.
    EXPECT_FALSE(KeepOnDesktop(TDesktop{}, {0, 0, W, H}).has_value());
}

TEST(MonitorPlacement, DialogsMeasureTheRoomAboveOnTheBarsMonitor) {
    // Near the top of the monitor above the primary: no room above, below it.
    EXPECT_EQ(DialogTopNextToBar(-890, 55, 118, -900), -835);
    EXPECT_EQ(DialogTopNextToBar(-500, 55, 118, -900), -618);
    EXPECT_EQ(DialogTopNextToBar(-782, 55, 118, -900), -727);  // equal: below
    EXPECT_EQ(DialogTopNextToBar(150, 55, 118, 100), 205);     // a monitor starting lower
    EXPECT_THROW(DialogTopNextToBar(0, 55, 118, INT_MIN), RangeError);
}

}  // namespace
}  // namespace quorvex
