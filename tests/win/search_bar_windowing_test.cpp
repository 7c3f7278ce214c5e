// The bar's window-level life in-process, on the real bar and application
// object: the global hot key, minimising into the tray and back, the tray
// menu, the hot-key menu item around its dialog, dragging, and the end of
// a session.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bar/bar_windowing_win.h"
#include "bar/search_bar_win.h"
#include "base/error.h"
#include "config/config.h"
#include "toolkit/combo_box.h"
#include "toolkit/form.h"
#include "toolkit/screen.h"
#include "win/app_fixture_win.h"
#include "win/sequence_win.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

using test::Recorded;

constexpr wchar_t ConfigKey[] = L"Software\\Ostravane\\Quorvex\\1.0";

std::vector<BYTE> StoredConfig() {
    std::vector<BYTE> data(2048);
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, ConfigKey, L"Config", RRF_RT_ANY, &type, data.data(), &size) != ERROR_SUCCESS)
        return {};
    data.resize(size);
    return data;
}

// Whether another window could take the combination (false: someone holds it).
bool CombinationFree(UINT mods, UINT vk) {
    HWND probe =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const bool free = RegisterHotKey(probe, 0x77, mods, vk) != FALSE;
    if (free) UnregisterHotKey(probe, 0x77);
    DestroyWindow(probe);
    return free;
}

class SearchBarWindowingTest : public test::FirstRunTest {
protected:
    void SetUp() override {
        test::FirstRunTest::SetUp();
        bar = tk::MakeInstance<TF_Search>();
        bar->Show();
        SetForegroundWindow(bar->Handle());
        test::Pump();
    }
    void TearDown() override {
        if (bar) bar->Windowing().Tray().HideQuietly();
        bar.reset();
        HWND app = test::TestApp().Handle();
        if (IsIconic(app) || !IsWindowVisible(app)) ShowWindow(app, SW_SHOWNORMAL);
        test::FirstRunTest::TearDown();
    }
    BYTE Alpha() {
        BYTE a = 0;
        DWORD flags = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(bar->Handle(), nullptr, &a, &flags));
        return a;
    }
    bool BarVisible() {
        test::Pump();
        return IsWindowVisible(bar->Handle()) != FALSE;
    }

    std::unique_ptr<TF_Search> bar;
};

TEST_F(SearchBarWindowingTest, FirstShowRegistersWinSUnderTheAtom) {
    EXPECT_EQ(bar->HotKeyId(), GlobalFindAtomW(L"QuorvexExeHotKey"));
    EXPECT_GE(bar->HotKeyId(), 0xC000u);
    EXPECT_FALSE(CombinationFree(MOD_WIN, 'S'));
    EXPECT_TRUE(CombinationFree(MOD_WIN | MOD_SHIFT, 'S'));
    bar.reset();  // destroy: released
    EXPECT_TRUE(CombinationFree(MOD_WIN, 'S'));
}

TEST_F(SearchBarWindowingTest, HotKeyAndRestoreMessageThroughTheTray) {
    const HWND app = test::TestApp().Handle();
    SendMessageW(bar->Handle(), WM_HOTKEY, bar->HotKeyId(), MAKELPARAM(MOD_WIN, 'S'));
    EXPECT_FALSE(BarVisible());
    EXPECT_TRUE(bar->Windowing().Tray().Visible());
    EXPECT_FALSE(IsWindowVisible(app)) << "the taskbar button is still there";
    // Foreign ids change nothing (another registration, the system's snap id).
    SendMessageW(bar->Handle(), WM_HOTKEY, bar->HotKeyId() + 1, 0);
    SendMessageW(bar->Handle(), WM_HOTKEY, static_cast<WPARAM>(-2), 0);
    EXPECT_TRUE(bar->Windowing().Tray().Visible());
    EXPECT_FALSE(BarVisible());
    // A second instance's request.
    SendMessageW(bar->Handle(), WM_APP_RESTORE, 0, 0);
    EXPECT_TRUE(BarVisible());
    EXPECT_FALSE(bar->Windowing().Tray().Visible());
    EXPECT_FALSE(IsIconic(app));

    // Without the tray: minimised to the taskbar, and back.
    GetConfig().SetMinToTrayIcon(false);
    SendMessageW(bar->Handle(), WM_HOTKEY, bar->HotKeyId(), 0);
    EXPECT_FALSE(BarVisible());
    EXPECT_TRUE(IsIconic(app));
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_FALSE(bar->Windowing().Tray().Visible());
    SendMessageW(bar->Handle(), WM_HOTKEY, bar->HotKeyId(), 0);
    EXPECT_TRUE(BarVisible());
    EXPECT_FALSE(IsIconic(app));
    // Switched on meanwhile: the next press goes into the tray.
    GetConfig().SetMinToTrayIcon(true);
    SendMessageW(bar->Handle(), WM_HOTKEY, bar->HotKeyId(), 0);
    EXPECT_TRUE(bar->Windowing().Tray().Visible());
    EXPECT_FALSE(BarVisible());
    EXPECT_TRUE(Recorded().Errors.empty());
}

// The restore shows the bar before the application window comes back and
// makes it foreground directly: it must end exactly where the detour through
// the application window's activation did.
TEST_F(SearchBarWindowingTest, RestoreFromTheTrayEndsActiveOpaqueAndFocusedInTheQueryBox) {
    const HWND app = test::TestApp().Handle();
    for (int round = 0; round < 2; ++round) {
        SendMessageW(bar->Handle(), WM_HOTKEY, bar->HotKeyId(), 0);
        ASSERT_FALSE(BarVisible());
        ASSERT_TRUE(IsIconic(app));
        SendMessageW(bar->Handle(), WM_HOTKEY, bar->HotKeyId(), 0);
        EXPECT_TRUE(BarVisible());
        EXPECT_TRUE(IsWindowVisible(app));
        EXPECT_FALSE(IsIconic(app)) << "round " << round;
        EXPECT_FALSE(test::TestApp().Minimized());
        EXPECT_EQ(GetForegroundWindow(), bar->Handle());
        EXPECT_EQ(GetActiveWindow(), bar->Handle());
        EXPECT_EQ(tk::Screen::ActiveForm(), bar.get());
        EXPECT_EQ(GetFocus(), bar->cbxSearchText->EditHandle()) << "round " << round;
        EXPECT_EQ(Alpha(), 255);
    }
    // A disabled bar (a modal dialog is open) is no target: the application
    // window keeps the activation, as it always did.
    EnableWindow(bar->Handle(), FALSE);
    EXPECT_EQ(test::TestApp().ActivationTarget(), app);
    EnableWindow(bar->Handle(), TRUE);
    EXPECT_EQ(test::TestApp().ActivationTarget(), bar->Handle());
}

TEST_F(SearchBarWindowingTest, TrayMenuRestoresAndExits) {
    tk::PopupMenu& menu = *bar->pmnuTrayIcon;
    ASSERT_EQ(menu.Count(), 2u);
    HMENU h = menu.BuildMenu();
    wchar_t text[64] = {};
    GetMenuStringW(h, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"恢复窗口(&R)");
    GetMenuStringW(h, 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"退出(&X)");
    EXPECT_EQ(GetMenuDefaultItem(h, TRUE, 0), 0u) << "the restore item is the bold default";
    DestroyMenu(h);

    bar->btnMinClick();
    ASSERT_TRUE(bar->Windowing().Tray().Visible());
    menu.FindItem("miRestore")->Click();
    EXPECT_TRUE(BarVisible());
    EXPECT_FALSE(bar->Windowing().Tray().Visible());

    // Exit closes the bar (as the main form that ends the program; here,
    // where the shared test application must keep running, it hides it).
    ASSERT_NE(test::TestApp().MainForm(), bar.get());
    menu.FindItem("miExit")->Click();
    EXPECT_FALSE(BarVisible());
    EXPECT_FALSE(test::TestApp().Terminated());
}

TEST_F(SearchBarWindowingTest, HotKeyDialogDimsTheBarAndReRegistersOnChange) {
    ASSERT_EQ(Alpha(), 255);
    constexpr std::uint16_t CtrlShiftAltF11 = 0x4000 | 0x2000 | 0x8000 | VK_F11;
    int shown = 0;
    bar->HotKeyDialogStep = [&](TF_Search&) {
        ++shown;
        EXPECT_EQ(Alpha(), 166) << "not dimmed while the dialog is open";
        // A real modal form, closed with OK as soon as it shows.
        tk::FormParams p{L"TestHotKeyDialog", L"dialog"};
        p.ClientWidth = 100;
        p.ClientHeight = 50;
        tk::Instance<tk::Form> dialog(p);
        dialog.OnShow = [&](tk::Form& f) { f.SetModalResult(tk::ModalResult::Ok); };
        const bool ok = dialog.ShowModal() == tk::ModalResult::Ok;
        GetConfig().SetTrayHotKey(CtrlShiftAltF11);
        return ok;
    };
    bar->miHotKeyClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Alpha(), 255);
    EXPECT_EQ(tk::Screen::ActiveForm(), bar.get());
    EXPECT_TRUE(CombinationFree(MOD_WIN, 'S')) << "the old hot key is still registered";
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_SHIFT | MOD_ALT, VK_F11));

    // Unchanged (Cancel): the registration stays as it is.
    bar->HotKeyDialogStep = [&](TF_Search&) {
        GetConfig().SetTrayHotKey(0x1053);
        return false;
    };
    bar->miHotKeyClick();
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_SHIFT | MOD_ALT, VK_F11));
    EXPECT_TRUE(CombinationFree(MOD_WIN, 'S'));

    // A failing dialog: the error travels on, the bar is opaque again.
    bar->HotKeyDialogStep = [&](TF_Search&) -> bool { throw Error("dialog failed"); };
    EXPECT_THROW(bar->miHotKeyClick(), Error);
    EXPECT_EQ(Alpha(), 255);

    // Cleared in the dialog: nothing registered afterwards.
    bar->HotKeyDialogStep = [&](TF_Search&) {
        GetConfig().SetTrayHotKey(0);
        return true;
    };
    bar->miHotKeyClick();
    EXPECT_TRUE(CombinationFree(MOD_CONTROL | MOD_SHIFT | MOD_ALT, VK_F11));
    EXPECT_TRUE(CombinationFree(MOD_WIN, 'S'));
}

TEST_F(SearchBarWindowingTest, DragStripOnTheRealBar) {
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    const int w = r.right - r.left;
    struct {
        int x, y;
        LRESULT expected;
    } cases[] = {
        {150, 19, HTCAPTION},   {150, 20, HTCLIENT},    {40, 10, HTCAPTION},   // the title image drags too
        {w - 61, 2, HTCAPTION}, {w - 42, 15, HTCLIENT}, {w - 5, 5, HTCLIENT},  // buttons corner
    };
    const auto cursorAt = [](POINT p) {
        POINT at{};
        return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
    };
    for (const auto& c : cases) {
        const POINT target{r.left + c.x, r.top + c.y};
        // The display applies a move a moment later, and under load a late
        // event of an earlier move can put the cursor back: a result counts
        // only when the cursor stood at the point before and after the test.
        LRESULT hit = -1;
        bool measured = false;
        for (const DWORD end = GetTickCount() + 3000; !measured && static_cast<LONG>(end - GetTickCount()) > 0;) {
            SetCursorPos(target.x, target.y);
            for (int i = 0; i < 200 && !cursorAt(target); ++i) Sleep(5);
            if (!cursorAt(target)) continue;
            hit = SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(target.x, target.y));
            measured = cursorAt(target);
        }
        ASSERT_TRUE(measured) << "the cursor never stayed at " << c.x << "," << c.y;
        EXPECT_EQ(hit, c.expected) << c.x << "," << c.y;
    }
}

TEST_F(SearchBarWindowingTest, EndOfSessionSavesOnceBeforeTheProcessGoes) {
    bar->SetBounds(640, 400, bar->Width(), bar->Height());
    bar->cbxSearchText->SetText(L"abc");
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    ASSERT_TRUE(StoredConfig().empty());
    SendMessageW(bar->Handle(), WM_ENDSESSION, FALSE, 0);  // cancelled: nothing written
    EXPECT_TRUE(StoredConfig().empty());
    EXPECT_FALSE(CombinationFree(MOD_WIN, 'S'));

    SendMessageW(bar->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    const std::vector<BYTE> saved = StoredConfig();
    ASSERT_EQ(saved.size(), 664u) << "the end of the session wrote no settings";
    EXPECT_TRUE(CombinationFree(MOD_WIN, 'S')) << "hot key still registered";
    ReleaseConfig();
    GetConfig().Load();
    EXPECT_EQ(GetConfig().WindowLeft(), 640 * 1000 / GetSystemMetrics(SM_CXSCREEN));

    // The process lives on a moment; the normal destroy later writes nothing.
    bar->SetBounds(10, 10, bar->Width(), bar->Height());
    test::DeleteSettings();
    bar.reset();
    EXPECT_TRUE(StoredConfig().empty()) << "the destroy saved a second time";
    EXPECT_TRUE(Recorded().Errors.empty());
}

// The settings are written before the hot key is let go, so a program that
// takes the key the moment it is free finds the settings already stored.
TEST_F(SearchBarWindowingTest, ClosingStoresTheSettingsThenReleasesTheHotKey) {
    bar->SetBounds(640, 400, bar->Width(), bar->Height());
    test::Sequence events;
    bar->UnregisterHotKeyStep = [&](TF_Search& b) {
        const std::vector<BYTE> saved = StoredConfig();
        if (saved.size() == 664) {
            std::int32_t left = 0;
            std::memcpy(&left, saved.data() + 16, sizeof left);
            events.push_back("settings stored, left " + std::to_string(left));
        } else {
            events.push_back("no settings stored");
        }
        events.push_back(CombinationFree(MOD_WIN, 'S') ? "hot key free" : "hot key held");
        b.UnregisterTrayHotKey();
        events.push_back("released");
    };
    bar.reset();
    events.push_back(CombinationFree(MOD_WIN, 'S') ? "hot key free" : "hot key held");
    const std::string stored = "settings stored, left " + std::to_string(640 * 1000 / GetSystemMetrics(SM_CXSCREEN));
    EXPECT_SEQUENCE(events, (test::Sequence{stored, "hot key held", "released", "hot key free"}));
}

}  // namespace
}  // namespace quorvex
