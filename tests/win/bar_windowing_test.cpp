// The bar's window-level life on real windows: an invisible application
// window owning a layered bar, as the program has them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <sstream>
#include <string>
#include <vector>

#include "bar/bar_windowing_win.h"
#include "base/error.h"
#include "toolkit/text.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

class RecordingHotKeys final : public HotKeySystem {
public:
    ATOM AddAtom(const wchar_t*) override { return 0xC0DE; }
    bool Register(HWND, int id, UINT mods, UINT vk) override {
        std::ostringstream s;
        s << "Register " << std::hex << id << " " << mods << " " << vk;
        calls.push_back(s.str());
        for (const auto& [takenMods, takenKey] : taken)
            if (takenMods == mods && takenKey == vk) return false;
        return true;
    }
    bool Unregister(HWND, int id) override {
        std::ostringstream s;
        s << "Unregister " << std::hex << id;
        calls.push_back(s.str());
        return true;
    }
    std::vector<std::string> calls;
    std::vector<std::pair<UINT, UINT>> taken;  // held by another program
};

// The application window as the toolkit's: its owned windows follow its
// minimised state (Wine does not hide them by itself).
LRESULT CALLBACK AppWindowProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_SIZE && wp == SIZE_MINIMIZED) ShowOwnedPopups(h, FALSE);
    if (m == WM_SIZE && wp == SIZE_RESTORED) ShowOwnedPopups(h, TRUE);
    return DefWindowProcW(h, m, wp, lp);
}

const wchar_t* AppClass() {
    static ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = AppWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TestApplicationWindow";
        return RegisterClassW(&wc);
    }();
    return atom ? L"TestApplicationWindow" : nullptr;
}

class FakeHost final : public BarWindowingHost {
public:
    FakeHost() {
        app =
            CreateWindowExW(0, AppClass(), L"Lumetra", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                            0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        bar = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, 300, 200, 400, 55, app, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
        SetLayeredWindowAttributes(bar, 0, 255, LWA_ALPHA);
        ShowWindow(bar, SW_SHOW);
        SetForegroundWindow(bar);
    }
    ~FakeHost() override {
        DestroyWindow(bar);
        DestroyWindow(app);
    }
    HWND BarWindow() const override { return bar; }
    HWND ApplicationWindow() const override { return app; }
    void MinimiseApplication() override { ShowWindow(app, SW_MINIMIZE); }
    void RestoreApplication() override {
        ShowWindow(app, SW_RESTORE);
        SetForegroundWindow(app);
    }
    bool MinToTrayIcon() const override { return toTray; }
    std::uint16_t TrayHotKey() const override { return hotKey; }
    void ArrangeButtons() override { log.push_back("arrange"); }
    void AutoCopyFromClipboard() override { log.push_back("autocopy"); }
    bool BarIsActiveForm() const override { return barActive; }
    HWND OtherActiveForm() const override { return otherForm; }
    void PopupTrayMenu(POINT) override { log.push_back("menu"); }
    void OpenHotKeyDialog() override { log.push_back("hotkey dialog"); }
    void ShutdownSequence() override {
        log.push_back("save");
        if (failSave) throw Error("registry not writable");
        if (windowing) windowing->UnregisterTrayHotKey();
    }
    BarWindowing* windowing = nullptr;

    HWND app, bar;
    bool toTray = true;
    std::uint16_t hotKey = 0x1053;
    bool barActive = true;
    HWND otherForm = nullptr;
    bool failSave = false;
    std::vector<std::string> log;
};

struct Visibility {
    bool barVisible, appVisible, appIconic, trayShown;
    constexpr bool operator==(const Visibility& o) const {
        return barVisible == o.barVisible && appVisible == o.appVisible && appIconic == o.appIconic &&
               trayShown == o.trayShown;
    }
};
std::ostream& operator<<(std::ostream& os, const Visibility& v) {
    return os << "{bar " << v.barVisible << ", app " << v.appVisible << ", iconic " << v.appIconic << ", tray "
              << v.trayShown << "}";
}

void Pump() {
    MSG m;
    for (int i = 0; i < 5; ++i) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        Sleep(10);
    }
}

// One application window and bar for the whole suite: under Wine every
// hide or destroy of the active top-level window costs seconds.
class BarWindowingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        host = new FakeHost;
        // Errors out of the tray icon's window: the application's error box.
        previousSink = test::TestApp().SetErrorSink(
            [](const std::wstring& text) { host->log.push_back("error " + tk::WideToUtf8(text)); });
        keys = new RecordingHotKeys;
        w = new BarWindowing(*host, *keys);
        w->SetTrayIcon(LoadIconW(nullptr, IDI_APPLICATION), L"Lumetra");
    }
    static void TearDownTestSuite() {
        delete w;
        delete keys;
        test::TestApp().SetErrorSink(previousSink);
        delete host;
    }
    void SetUp() override {
        // Back to "shown" with a fresh registration and log.
        w->Tray().HideQuietly();
        if (!IsWindowVisible(host->app) || IsIconic(host->app)) ShowWindow(host->app, SW_SHOWNORMAL);
        SetLayeredWindowAttributes(host->bar, 0, 255, LWA_ALPHA);
        host->toTray = true;
        host->barActive = true;
        host->otherForm = nullptr;
        host->failSave = false;
        ASSERT_TRUE(w->RegisterTrayHotKey());
        host->log.clear();
        keys->calls.clear();
        ASSERT_EQ(State(), Shown);
    }
    static Visibility State() {
        Pump();
        return {IsWindowVisible(host->bar) != FALSE, IsWindowVisible(host->app) != FALSE, IsIconic(host->app) != FALSE,
                w->Tray().Visible()};
    }
    static LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
        LRESULT r = -1;
        EXPECT_TRUE(w->HandleMessage(msg, wp, lp, r) || msg == WM_ACTIVATEAPP) << msg;
        return r;
    }
    static BYTE Alpha() {
        BYTE a = 0;
        DWORD flags = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(host->bar, nullptr, &a, &flags));
        return a;
    }

    static constexpr Visibility Shown{true, true, false, false};
    static constexpr Visibility Minimised{false, true, true, false};
    static constexpr Visibility InTray{false, false, true, true};

    static inline FakeHost* host = nullptr;
    static inline tk::Application::ErrorSink previousSink;
    static inline RecordingHotKeys* keys = nullptr;
    static inline BarWindowing* w = nullptr;
};

TEST_F(BarWindowingTest, RefusedTrayIconLeavesTheProgramMinimised) {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = w->Tray().Window();
    d.uID = w->Tray().Id();
    d.uFlags = NIF_ICON;
    d.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &d));  // the id is taken: the add fails
    EXPECT_THROW(w->MinimiseClick(), Error);
    EXPECT_EQ(State(), Minimised);
    Shell_NotifyIconW(NIM_DELETE, &d);
    // The hot key then restores as from the taskbar.
    Send(WM_HOTKEY, 0xC0DE);
    EXPECT_EQ(State(), Shown);
}

TEST_F(BarWindowingTest, OpacityFollowsActivation) {
    EXPECT_EQ(Alpha(), 255);
    Send(WM_ACTIVATEAPP, 0);
    EXPECT_EQ(Alpha(), 166);
    Send(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(Alpha(), 255);
    EXPECT_EQ(host->log, std::vector<std::string>{"autocopy"});

    // A dialog is the active form: it comes up, the bar stays dimmed.
    HWND dialog = CreateWindowExW(0, L"STATIC", L"dialog", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, host->app, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    // Another program's window covers the dialog.
    HWND cover = CreateWindowExW(0, L"STATIC", L"cover", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Send(WM_ACTIVATEAPP, 0);
    host->barActive = false;
    host->otherForm = dialog;
    Send(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(Alpha(), 166);
    EXPECT_EQ(host->log, std::vector<std::string>{"autocopy"});
    // The dialog came up above the covering window.
    bool dialogFirst = false;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h == dialog) {
            dialogFirst = true;
            break;
        }
        if (h == cover) break;
    }
    EXPECT_TRUE(dialogFirst) << "the active dialog was not brought up";
    DestroyWindow(cover);
    DestroyWindow(dialog);
}

// The shutdown runs once per bar, so these take a windowing of their own.
TEST_F(BarWindowingTest, EndingSessionSavesOnceAndRemovesTheIcon) {
    BarWindowing own(*host, *keys);
    host->windowing = &own;
    ASSERT_TRUE(own.RegisterTrayHotKey());
    own.MinimiseClick();
    ASSERT_TRUE(own.Tray().Visible());
    LRESULT r = 0;
    ASSERT_TRUE(own.HandleMessage(WM_QUERYENDSESSION, 0, 0, r));
    EXPECT_EQ(r, TRUE);
    own.HandleMessage(WM_ENDSESSION, FALSE, 0, r);  // cancelled: nothing happens
    EXPECT_EQ(host->log, std::vector<std::string>{});
    EXPECT_TRUE(own.Tray().Visible());
    own.HandleMessage(WM_ENDSESSION, TRUE, 0, r);
    EXPECT_FALSE(own.Tray().Visible());
    EXPECT_TRUE(own.ShutdownHasRun());
    own.RunShutdownOnce();  // the destroy handler afterwards
    own.HandleMessage(WM_ENDSESSION, TRUE, 0, r);
    EXPECT_EQ(host->log, std::vector<std::string>{"save"});
    const std::vector<std::string> expected = {"Register c0de 8 53", "Unregister c0de"};
    EXPECT_EQ(keys->calls, expected);
    host->windowing = nullptr;
}

TEST_F(BarWindowingTest, FailedSaveSkipsTheRestSilently) {
    BarWindowing own(*host, *keys);
    host->windowing = &own;
    ASSERT_TRUE(own.RegisterTrayHotKey());
    host->failSave = true;
    own.RunShutdownOnce();
    own.RunShutdownOnce();
    EXPECT_EQ(host->log, std::vector<std::string>{"save"});
    EXPECT_EQ(keys->calls, std::vector<std::string>{"Register c0de 8 53"});
    host->windowing = nullptr;
}

TEST_F(BarWindowingTest, TrayRightClickOpensTheMenuAndErrorsReachTheErrorBox) {
    w->MinimiseClick();
    SendMessageW(w->Tray().Window(), tk::TrayIcon::CallbackMessage, 0, WM_RBUTTONUP);
    EXPECT_EQ(host->log, std::vector<std::string>{"menu"});
    // The shell lost the icon: the click reports the refused removal and
    // the program stays hidden, the icon now counting as gone.
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = w->Tray().Window();
    d.uID = w->Tray().Id();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &d));
    SendMessageW(w->Tray().Window(), tk::TrayIcon::CallbackMessage, 0, WM_LBUTTONDOWN);
    SendMessageW(w->Tray().Window(), tk::TrayIcon::CallbackMessage, 0, WM_LBUTTONUP);
    const std::vector<std::string> expected = {"menu", "error Cannot remove shell notification icon."};
    EXPECT_EQ(host->log, expected);
    EXPECT_EQ(State(), (Visibility{false, false, true, false}));
    // The hot key then restores as from the minimised state.
    Send(WM_HOTKEY, 0xC0DE);
    EXPECT_EQ(State(), Shown);
}

TEST_F(BarWindowingTest, RefusedHotKeyIsToldOnceInABalloonAndAChangeNeverLeavesNone) {
    BarWindowing own(*host, *keys);
    own.SetTrayIcon(LoadIconW(nullptr, IDI_APPLICATION), L"Lumetra");
    std::vector<std::string> shell;
    own.Tray().SetShellNotify([&](DWORD command, NOTIFYICONDATAW& d) {
        shell.push_back(command == NIM_ADD ? "add"
                        : command == NIM_DELETE
                            ? "delete"
                            : "modify " + tk::WideToUtf8(d.szInfoTitle) + "|" + tk::WideToUtf8(d.szInfo));
        return true;
    });
    keys->taken = {{MOD_WIN, 'S'}, {MOD_CONTROL | MOD_ALT, 'S'}};
    EXPECT_FALSE(own.RegisterTrayHotKey());
    EXPECT_TRUE(own.TrayHotKeyRefused());
    const std::vector<std::string> balloon = {"add",
                                              "modify Lumetra|热键 Win + S 已被其他程序占用，请点击此处重新设置。"};
    EXPECT_EQ(shell, balloon);
    EXPECT_FALSE(own.Tray().Visible()) << "a balloon's icon is not the tray mode";
    // Once per run, whatever key is refused next.
    host->hotKey = 0xC053;
    EXPECT_FALSE(own.RegisterTrayHotKey());
    EXPECT_EQ(shell, balloon);
    // The balloon's click opens the dialog and takes the borrowed icon away.
    SendMessageW(own.Tray().Window(), tk::TrayIcon::CallbackMessage, 0, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(host->log, std::vector<std::string>{"hotkey dialog"});
    EXPECT_EQ(shell.back(), "delete");

    // The dialog's change: a free key replaces the old one.
    keys->calls.clear();
    EXPECT_TRUE(own.ChangeTrayHotKey(0xC053, 0x4000 | 0x2000 | VK_F11));
    EXPECT_FALSE(own.TrayHotKeyRefused());
    EXPECT_EQ(keys->calls, (std::vector<std::string>{"Unregister c0de", "Register c0de 6 7a"}));
    // A taken one: refused, and the old key registered again.
    keys->calls.clear();
    EXPECT_FALSE(own.ChangeTrayHotKey(0x4000 | 0x2000 | VK_F11, 0x1053));
    EXPECT_FALSE(own.TrayHotKeyRefused()) << "the old key is back";
    EXPECT_EQ(keys->calls, (std::vector<std::string>{"Unregister c0de", "Register c0de 8 53", "Register c0de 6 7a"}));
    // None chosen: nothing registered, and that is no refusal.
    keys->calls.clear();
    EXPECT_TRUE(own.ChangeTrayHotKey(0x4000 | 0x2000 | VK_F11, 0));
    EXPECT_FALSE(own.TrayHotKeyRefused());
    EXPECT_EQ(keys->calls, std::vector<std::string>{"Unregister c0de"});
    keys->taken.clear();
    host->hotKey = 0x1053;
}

}  // namespace
}  // namespace quorvex
