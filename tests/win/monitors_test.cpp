// The real bar and dialogs on made-up desktops of several monitors (the
// session's display has one): restoring on another monitor, the default
// placement by the shell's taskbar, display changes, the layout's right edge
// and the dialogs' room above the bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "bar/search_bar_win.h"
#include "base/desktop_win.h"
#include "config/config.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "toolkit/popup_menu.h"
#include "widgets/custom_buttons_win.h"
#include "win/app_fixture_win.h"

namespace quorvex {
namespace {

void DeleteSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ostravane"); }

// The session's 1280 × 800 screen as the primary, with a 40-pixel taskbar
// at the bottom, a monitor on its left, one above and one on its right.
const TRectI Primary{0, 0, 1280, 800};
const TRectI LeftOf{-1024, 0, 0, 768};
const TRectI Above{0, -768, 1024, 0};
const TRectI RightOf{1280, 0, 2304, 768};

TDesktop Monitors() {
    TDesktop d;
    d.Monitors = {
        {Primary, {0, 0, 1280, 760}, true}, {LeftOf, LeftOf, false}, {Above, Above, false}, {RightOf, RightOf, false}};
    d.Taskbar = TTaskbar{{0, 760, 1280, 800}, TScreenEdge::Bottom, false};
    return d;
}

void RemoveMonitor(TDesktop& d, const TRectI& gone) {
    for (auto it = d.Monitors.begin(); it != d.Monitors.end(); ++it)
        if (it->Bounds.Left == gone.Left && it->Bounds.Top == gone.Top) {
            d.Monitors.erase(it);
            return;
        }
}

class MonitorsTest : public test::AppTest {
protected:
    void SetUp() override {
        test::AppTest::SetUp();
        DeleteSettings();
    }
    void TearDown() override {
        bar.reset();
        test::AppTest::TearDown();
        DeleteSettings();
    }
    // Settings as a previous run left them.
    void Stored(std::int32_t left, std::int32_t top) {
        TConfig& cfg = GetConfig();
        cfg.SetWindowLeft(left);
        cfg.SetWindowTop(top);
        cfg.Save();
        ReleaseConfig();
    }
    void Start() {
        bar = tk::MakeInstance<TF_Search>();
        bar->RegisterHotKeyStep = nullptr;
        bar->UnregisterHotKeyStep = nullptr;
    }
    // Closes the bar as the program does and reads back what it stored.
    std::pair<std::int32_t, std::int32_t> Close() {
        bar.reset();
        ReleaseConfig();
        GetConfig().Load();
        return {GetConfig().WindowLeft(), GetConfig().WindowTop()};
    }
    std::pair<int, int> At() const { return {bar->Left(), bar->Top()}; }
    // Closes the bar and forgets what it stored: the next start is a first run.
    void Forget() {
        bar.reset();
        ReleaseConfig();
        DeleteSettings();
    }

    DesktopOverride desktop{Monitors()};
    std::unique_ptr<TF_Search> bar;
};

using Point = std::pair<int, int>;

TEST_F(MonitorsTest, TheBarComesBackOnTheMonitorItWasClosedOn) {
    // Left of the primary: negative thousandths.
    Stored(-700, 375);
    Start();
    EXPECT_EQ(At(), (Point{-896, 300}));
    bar->SetBounds(100, -600, bar->Width(), bar->Height());  // dragged onto the monitor above
    EXPECT_EQ(Close(), (std::pair<std::int32_t, std::int32_t>{78, -750}));
    Start();
    EXPECT_EQ(At(), (Point{99, -600}));
}

TEST_F(MonitorsTest, DefaultPlacementFollowsTheShellsTaskbar) {
    // An auto-hidden bottom taskbar does not push the bar up.
    desktop.Desktop().Taskbar = TTaskbar{{0, 798, 1280, 838}, TScreenEdge::Bottom, true};
    Start();
    EXPECT_EQ(At(), (Point{1004, 800 - 55 - 80}));
    Forget();
    // No taskbar window: the bar stays where it was made.
    desktop.Desktop().Taskbar.reset();
    Start();
    EXPECT_EQ(At(), (Point{0, 0}));
}

TEST_F(MonitorsTest, ADisplayChangeBringsTheBarBackOntoAMonitor) {
    Stored(1575, 625);
    Start();
    ASSERT_EQ(At(), (Point{2016, 500}));
    bar->Perform(WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800));
    EXPECT_EQ(At(), (Point{2016, 500})) << "its monitor is still there";
    RemoveMonitor(desktop.Desktop(), RightOf);
    bar->Perform(WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800));
    EXPECT_EQ(At(), (Point{1280 - 256, 500}));
}

TEST_F(MonitorsTest, TheLayoutKeepsTheBarOnItsOwnMonitor) {
    Stored(1575, 625);
    Start();
    ASSERT_EQ(At(), (Point{2016, 500}));
    bar->pmnuConfig->FindItem("miShowAll")->Click();
    ASSERT_EQ(bar->Width(), 802);
    EXPECT_EQ(At(), (Point{2304 - 802, 500})) << "the right-hand monitor's edge, not the primary's";
}

TEST_F(MonitorsTest, DialogsLookForRoomAboveTheBarOnItsMonitor) {
    // 268 pixels below the top of the monitor above the primary: room above.
    test::BarStandIn high(100, -500);
    {
        tk::Instance<TF_CustomButtons> dialog(high.Handle(), GetConfig().ButtonMask(), high.MaskChange());
        RECT d;
        GetWindowRect(dialog.Handle(), &d);
        EXPECT_EQ(d.bottom, -500);
        EXPECT_EQ(d.left, 100);
    }
    {
        tk::Instance<TF_HotKey> dialog(high.Handle(), test::StoredHotKeyLink());
        dialog.Show();  // placed as it shows
        RECT d;
        GetWindowRect(dialog.Handle(), &d);
        EXPECT_EQ(d.bottom, -500);
    }
    // At the top of that monitor: below the bar.
    test::BarStandIn top(100, -760);
    tk::Instance<TF_CustomButtons> dialog(top.Handle(), GetConfig().ButtonMask(), top.MaskChange());
    RECT d;
    GetWindowRect(dialog.Handle(), &d);
    EXPECT_EQ(d.top, -760 + 55);
}

TEST(SystemDesktopTest, TheSessionsScreenIsThePrimaryMonitor) {
    const TDesktop d = SystemDesktop();
    const TMonitor* primary = PrimaryMonitor(d);
    ASSERT_NE(primary, nullptr);
    EXPECT_TRUE(primary->Primary);
    EXPECT_EQ(primary->Bounds.Left, 0);
    EXPECT_EQ(primary->Bounds.Top, 0);
    EXPECT_EQ(primary->Bounds.Right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(primary->Bounds.Bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(static_cast<int>(d.Monitors.size()), GetSystemMetrics(SM_CMONITORS));
    for (const TMonitor& m : d.Monitors) {
        EXPECT_GE(m.WorkArea.Left, m.Bounds.Left);
        EXPECT_GE(m.WorkArea.Top, m.Bounds.Top);
        EXPECT_LE(m.WorkArea.Right, m.Bounds.Right);
        EXPECT_LE(m.WorkArea.Bottom, m.Bounds.Bottom);
    }
    // Without an override the current desktop is the system's.
    EXPECT_EQ(CurrentDesktop().Monitors.size(), d.Monitors.size());
    // The taskbar only when asked for, and none while its window has no area
    // (Wine's desktop, whose shell answers ABM_GETTASKBARPOS all the same).
    EXPECT_FALSE(SystemDesktop(TTaskbarQuery::Skip).Taskbar.has_value());
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT r{};
    EXPECT_EQ(d.Taskbar.has_value(), tray && GetWindowRect(tray, &r) && !IsRectEmpty(&r));
}

}  // namespace
}  // namespace quorvex
