// The tray icon against the session's real notification area, and its
// mouse protocol driven through its callback message.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "toolkit/text.h"
#include "toolkit/tray_icon.h"
#include "win/test_app.h"

namespace quorvex::tk {
namespace {

// Talks to the shell about the same icon behind the component's back.
bool ShellCall(DWORD command, const TrayIcon& icon) {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = icon.Window();
    d.uID = icon.Id();
    if (command == NIM_ADD) {
        d.uFlags = NIF_ICON | NIF_TIP;
        d.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    return Shell_NotifyIconW(command, &d) != FALSE;
}

// True when the shell holds the icon (a delete succeeds), which removes it.
bool ShellHeldIcon(const TrayIcon& icon) { return ShellCall(NIM_DELETE, icon); }

void Callback(TrayIcon& icon, UINT mouseMessage) {
    SendMessageW(icon.Window(), TrayIcon::CallbackMessage, icon.Id(), mouseMessage);
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
        icon.SetTip(L"Lumetra");
        icon.OnClick = [this] { events.push_back("click"); };
        icon.OnPopup = [this](POINT) { events.push_back("popup"); };
        // Errors out of the icon's window reach the application's error box.
        previousSink = test::TestApp().SetErrorSink(
            [this](const std::wstring& text) { events.push_back("error:" + WideToUtf8(text)); });
    }
    void TearDown() override { test::TestApp().SetErrorSink(previousSink); }
    Application::ErrorSink previousSink;
    TrayIcon icon;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(TrayIconTest, AddAndRemoveThroughTheShell) {
    EXPECT_FALSE(icon.Visible());
    EXPECT_EQ(icon.Id(), static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon.Window())));
    icon.Show();
    EXPECT_TRUE(icon.Visible());
    icon.Show();  // already shown: no second add (which the shell would refuse)
    icon.Hide();
    EXPECT_FALSE(icon.Visible());
    icon.Hide();  // already hidden: nothing
    EXPECT_FALSE(ShellHeldIcon(icon)) << "the icon is still in the notification area";

    icon.Show();
    EXPECT_TRUE(ShellHeldIcon(icon)) << "the icon did not reach the notification area";
    // The shell lost it (we removed it above): the delete is refused.
    try {
        icon.Hide();
        ADD_FAILURE() << "a refused delete passed as success";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Cannot remove shell notification icon");
    }
    EXPECT_FALSE(icon.Visible()) << "a refused delete still counts as hidden";
}

TEST_F(TrayIconTest, RefusedAddIsAnErrorAndLeavesTheIconHidden) {
    ASSERT_TRUE(ShellCall(NIM_ADD, icon));  // the id is taken already
    try {
        icon.Show();
        ADD_FAILURE() << "a refused add passed as success";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Cannot create shell notification icon");
    }
    EXPECT_FALSE(icon.Visible());
    EXPECT_TRUE(ShellHeldIcon(icon));
}

TEST_F(TrayIconTest, LongTipIsCutNotRefused) {
    icon.SetTip(std::wstring(300, L'x'));
    icon.Show();
    EXPECT_TRUE(icon.Visible());
    icon.Hide();
}

TEST_F(TrayIconTest, ClickFiresOnReleaseAfterAPressOnly) {
    Callback(icon, WM_LBUTTONUP);  // press happened elsewhere
    EXPECT_EQ(events, Events{});
    Callback(icon, WM_LBUTTONDOWN);
    EXPECT_EQ(events, Events{});
    Callback(icon, WM_LBUTTONUP);
    EXPECT_EQ(events, Events{"click"});
    // A double click: down, up, double-click, up: one click only.
    events.clear();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Callback(icon, m);
    EXPECT_EQ(events, Events{"click"});
    // The right button opens the menu on its release only.
    events.clear();
    Callback(icon, WM_RBUTTONDOWN);
    Callback(icon, WM_MOUSEMOVE);
    Callback(icon, WM_RBUTTONUP);
    EXPECT_EQ(events, Events{"popup"});
}

TEST_F(TrayIconTest, RightReleaseBringsTheTargetForwardBeforeThePopup) {
    HWND target = CreateWindowExW(0, L"STATIC", L"target", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 100, 10, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);
    HWND seen = nullptr;
    PostMessageW(other, WM_NULL, 0, 0);  // a pending message, processed before the popup
    icon.SetForegroundTarget(target);
    icon.OnPopup = [&](POINT) {
        seen = GetForegroundWindow();
        MSG m;
        EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) << "messages left pending";
    };
    Callback(icon, WM_RBUTTONUP);
    EXPECT_EQ(seen, target);
    DestroyWindow(other);
    DestroyWindow(target);
}

TEST_F(TrayIconTest, HandlerErrorsStopAtTheWindowAndAreReported) {
    icon.OnClick = [] { throw Error("Cannot remove shell notification icon"); };
    Callback(icon, WM_LBUTTONDOWN);
    Callback(icon, WM_LBUTTONUP);
    EXPECT_EQ(events, Events{"error:Cannot remove shell notification icon."});
}

TEST_F(TrayIconTest, TaskbarRestartAddsAShownIconAgain) {
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    // Hidden: the broadcast adds nothing.
    SendMessageW(icon.Window(), taskbarCreated, 0, 0);
    EXPECT_FALSE(ShellHeldIcon(icon));

    icon.Show();
    ASSERT_TRUE(ShellHeldIcon(icon));  // the restarted shell has lost it
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_TRUE(ShellHeldIcon(icon)) << "the broadcast did not bring the icon back";
    EXPECT_EQ(events, Events{});
    // Broadcast without a restart, the icon still there: no error, and the
    // icon is still held afterwards.
    ASSERT_TRUE(ShellCall(NIM_ADD, icon));
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(events, Events{});
    EXPECT_TRUE(icon.Visible());
    EXPECT_TRUE(ShellHeldIcon(icon)) << "the icon is gone after the broadcast";
    // A shell that really refuses the add is still reported.
    icon.SetShellNotify([](DWORD command, NOTIFYICONDATAW&) { return command != NIM_ADD; });
    SendMessageW(icon.Window(), taskbarCreated, 0, 0);
    EXPECT_EQ(events, Events{"error:Cannot create shell notification icon."});
}

// The calls the icon makes, through its shell seam.
struct ShellLog {
    std::vector<std::string> calls;
    bool refuseModify = false;
    TrayIcon::ShellNotifyFn Fn() {
        return [this](DWORD command, NOTIFYICONDATAW& d) {
            std::string line = command == NIM_ADD ? "add" : command == NIM_DELETE ? "delete" : "modify";
            if (d.uFlags & NIF_INFO) line += " info " + WideToUtf8(d.szInfoTitle) + "|" + WideToUtf8(d.szInfo);
            calls.push_back(line);
            return !(refuseModify && command == NIM_MODIFY);
        };
    }
};

TEST_F(TrayIconTest, BalloonBorrowsTheIconOnlyWhileItShows) {
    ShellLog shell;
    icon.SetShellNotify(shell.Fn());
    int clicks = 0;
    icon.OnBalloonClick = [&] { ++clicks; };

    // Not in the tray: added for the balloon, removed when it times out.
    EXPECT_TRUE(icon.ShowBalloon(L"Lumetra", L"文本"));
    EXPECT_EQ(shell.calls, (Events{"add", "modify info Lumetra|文本"}));
    EXPECT_FALSE(icon.Visible());
    EXPECT_TRUE(icon.HeldForBalloon());
    Callback(icon, NIN_BALLOONSHOW);
    EXPECT_TRUE(icon.HeldForBalloon());
    Callback(icon, NIN_BALLOONTIMEOUT);
    EXPECT_FALSE(icon.HeldForBalloon());
    EXPECT_EQ(shell.calls.back(), "delete");
    const size_t calls = shell.calls.size();
    Callback(icon, NIN_BALLOONHIDE);  // a second end removes nothing more
    EXPECT_EQ(shell.calls.size(), calls);

    // Clicked: removed, and the click reported.
    shell.calls.clear();
    icon.ShowBalloon(L"t", L"x");
    Callback(icon, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shell.calls, (Events{"add", "modify info t|x", "delete"}));

    // Minimised to the tray while the balloon shows: the icon stays after it.
    shell.calls.clear();
    icon.ShowBalloon(L"t", L"x");
    icon.Show();
    EXPECT_TRUE(icon.Visible());
    EXPECT_FALSE(icon.HeldForBalloon());
    Callback(icon, NIN_BALLOONHIDE);
    EXPECT_EQ(shell.calls, (Events{"add", "modify info t|x", "modify"}));
    // Already in the tray: the balloon adds nothing, and its end removes nothing.
    icon.ShowBalloon(L"t", L"y");
    Callback(icon, NIN_BALLOONTIMEOUT);
    EXPECT_EQ(shell.calls.back(), "modify info t|y");
    EXPECT_TRUE(icon.Visible());
    icon.Hide();
    EXPECT_EQ(shell.calls.back(), "delete");

    // A shell that shows no balloon: false, and no icon left behind.
    shell.calls.clear();
    shell.refuseModify = true;
    EXPECT_FALSE(icon.ShowBalloon(L"t", L"x"));
    EXPECT_EQ(shell.calls, (Events{"add", "modify info t|x", "delete"}));
    EXPECT_FALSE(icon.HeldForBalloon());
    EXPECT_EQ(events, Events{});
}

TEST_F(TrayIconTest, BalloonIconGoesWithTheObjectAndTheSession) {
    ShellLog shell;
    icon.SetShellNotify(shell.Fn());
    icon.ShowBalloon(L"t", L"x");
    SendMessageW(icon.Window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(icon.HeldForBalloon());
    EXPECT_EQ(shell.calls.back(), "delete");
}

TEST_F(TrayIconTest, EndingSessionRemovesTheIcon) {
    icon.Show();
    EXPECT_EQ(SendMessageW(icon.Window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(icon.Window(), WM_ENDSESSION, FALSE, 0);  // cancelled: stays
    EXPECT_TRUE(icon.Visible());
    SendMessageW(icon.Window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(icon.Visible());
    EXPECT_FALSE(ShellHeldIcon(icon));
}

// The version-4 callback: event in lParam's low word, icon id in its high
// word, the icon's point in wParam.
void Callback4(TrayIcon& icon, UINT event, int x = 0, int y = 0) {
    SendMessageW(icon.Window(), TrayIcon::CallbackMessage, MAKEWPARAM(x, y), MAKELPARAM(event, icon.Id()));
}

// A shell seam that accepts everything but, when asked, the version request.
struct VersionShell {
    bool refuseVersion = false;
    std::vector<std::string> calls;
    TrayIcon::ShellNotifyFn Fn() {
        return [this](DWORD command, NOTIFYICONDATAW& d) {
            std::string line = command == NIM_ADD          ? "add"
                               : command == NIM_DELETE     ? "delete"
                               : command == NIM_SETVERSION ? "version " + std::to_string(d.uVersion)
                                                           : "modify";
            if (d.uFlags & NIF_SHOWTIP) line += " showtip";
            calls.push_back(line);
            return !(refuseVersion && command == NIM_SETVERSION);
        };
    }
};

TEST_F(TrayIconTest, Version4BringsTheKeyboardAndKeepsOneActionPerMouseGesture) {
    VersionShell shell;
    icon.SetShellNotify(shell.Fn());
    std::vector<POINT> points;
    icon.OnPopup = [&](POINT pt) {
        events.push_back("popup");
        points.push_back(pt);
    };
    icon.Show();
    EXPECT_TRUE(icon.Version4());
    EXPECT_EQ(shell.calls, (Events{"add", "version 4", "modify showtip"}));

    // Enter or Space on the icon; the context-menu key at the icon's point.
    Callback4(icon, NIN_KEYSELECT, 1200, 790);
    EXPECT_EQ(events, Events{"click"});
    Callback4(icon, WM_CONTEXTMENU, 1200, 790);
    EXPECT_EQ(events, (Events{"click", "popup"}));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, 1200);
    EXPECT_EQ(points[0].y, 790);

    // The mouse in version 4: the shell's NIN_SELECT and WM_CONTEXTMENU after
    // the releases are the same click and the same menu.
    events.clear();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}) Callback4(icon, m);
    EXPECT_EQ(events, Events{"click"});
    events.clear();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, WM_LBUTTONDBLCLK, WM_LBUTTONUP, NIN_SELECT})
        Callback4(icon, m);
    EXPECT_EQ(events, Events{"click"}) << "a double click acts once";
    events.clear();
    for (UINT m : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}) Callback4(icon, m);
    EXPECT_EQ(events, Events{"popup"});
    // A select of its own (mouse selection, then Enter) clicks; so does the
    // next context-menu key after a mouse menu.
    events.clear();
    Callback4(icon, NIN_SELECT);
    Callback4(icon, WM_CONTEXTMENU, 5, 6);
    EXPECT_EQ(events, (Events{"click", "popup"}));
    EXPECT_EQ(points.back().x, 5);

    // A restarted shell is asked again.
    shell.calls.clear();
    SendMessageW(icon.Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(shell.calls, (Events{"delete", "add", "version 4", "modify showtip"}));
}

TEST_F(TrayIconTest, ShellWithoutVersion4KeepsTodaysCallbacks) {
    VersionShell shell;
    shell.refuseVersion = true;
    icon.SetShellNotify(shell.Fn());
    icon.Show();
    EXPECT_TRUE(icon.Visible());
    EXPECT_FALSE(icon.Version4());
    EXPECT_EQ(shell.calls, (Events{"add", "version 4"})) << "no tip flag an older shell may refuse";
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}) Callback(icon, m);
    EXPECT_EQ(events, (Events{"click", "popup"}));
    icon.Hide();
    EXPECT_EQ(shell.calls.back(), "delete");
}

TEST(TrayIconLifetime, DestroyingAShownIconRemovesIt) {
    HWND window;
    UINT id;
    {
        TrayIcon icon;
        icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
        icon.Show();
        window = icon.Window();
        id = icon.Id();
    }
    EXPECT_FALSE(IsWindow(window));
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = window;
    d.uID = id;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &d));
}

}  // namespace
}  // namespace quorvex::tk
