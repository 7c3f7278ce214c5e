// The hot-key dialog. On a newer system (Wine's default) only the
// minimise/restore group shows; the HotKeyDialogXp cases need the prefix set
// to Windows XP and run from tests/e2e/hotkey_dialog_xp.sh.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "base/os_version_win.h"
#include "config/config.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "hotkeys/win_shortcut_win.h"
#include "win/app_fixture_win.h"
#include "win/scratch_win.h"

namespace quorvex {
namespace {

RECT ChildRect(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Click(tk::WinControl& control) { SendMessageW(control.Handle(), BM_CLICK, 0, 0); }

class HotKeyDialogTest : public test::AppTest {};

TEST_F(HotKeyDialogTest, NewerSystemShowsOnlyTheMinimiseGroup) {
    if (!IsVistaOrLater()) GTEST_SKIP() << "needs a newer system";
    test::BarStandIn bar(200, 600);
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    ASSERT_TRUE(dialog.NewerSystem());
    dialog.Show();

    RECT client;
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 188 - 74);
    EXPECT_FALSE(IsWindowVisible(dialog.StartGroup().Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.StartHotKeyBox().Handle()));
    EXPECT_EQ(ChildRect(dialog.Handle(), dialog.TrayGroup().Handle()).top, 8);
    EXPECT_EQ(ChildRect(dialog.Handle(), dialog.TrayHotKeyBox().Handle()).top, 8 + 41);
    const RECT ok = ChildRect(dialog.Handle(), dialog.OkButton().Handle());
    const RECT cancel = ChildRect(dialog.Handle(), dialog.CancelButton().Handle());
    EXPECT_EQ(ok.top, 156 - 74);
    EXPECT_EQ(cancel.top, ok.top);
    EXPECT_EQ(ok.left, 114);
    EXPECT_EQ(cancel.left, 180);
    EXPECT_EQ(dialog.TrayLabel().Text(), L"Win + S");

    // Default Win+S: the default button, the box disabled and empty.
    EXPECT_TRUE(dialog.TrayDefaultRadio().Checked());
    EXPECT_FALSE(dialog.TrayHotKeyBox().Enabled());
    EXPECT_EQ(dialog.TrayHotKeyBox().DisplayText(), "无");

    // Placement: directly above the bar.
    RECT d, b;
    GetWindowRect(dialog.Handle(), &d);
    GetWindowRect(bar.Handle(), &b);
    EXPECT_EQ(d.bottom, b.top);
    EXPECT_EQ(d.left, b.left);

    // OK with the defaults: nothing changed.
    Click(dialog.OkButton());
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    EXPECT_FALSE(dialog.HotKeyChanged());
    EXPECT_EQ(GetConfig().TrayHotKey(), 0x1053);
}

TEST_F(HotKeyDialogTest, NewerSystemCustomKeyIsStoredWithoutDuplicateCheck) {
    if (!IsVistaOrLater()) GTEST_SKIP() << "needs a newer system";
    test::BarStandIn bar(200, 10);
    GetConfig().SetTrayHotKey(0xC041);  // Ctrl+Alt+A
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    EXPECT_TRUE(dialog.TrayCustomRadio().Checked());
    EXPECT_TRUE(dialog.TrayHotKeyBox().Enabled());
    EXPECT_EQ(dialog.TrayHotKeyBox().DisplayText(), "Ctrl + Alt + A");
    EXPECT_EQ(GetFocus(), dialog.TrayHotKeyBox().Handle());
    // Tab leaves the box for the OK button; Enter there changes nothing.
    PostMessageW(dialog.TrayHotKeyBox().Handle(), WM_KEYDOWN, VK_TAB, 1);
    app->ProcessMessages();
    EXPECT_EQ(GetFocus(), dialog.OkButton().Handle());
    EXPECT_EQ(dialog.TrayHotKeyBox().HotKey(), 0xC041);

    // Below a bar at the top of the screen.
    RECT d, b;
    GetWindowRect(dialog.Handle(), &d);
    GetWindowRect(bar.Handle(), &b);
    EXPECT_EQ(d.top, b.bottom);

    // Ctrl+Alt+S would clash with the start default, which this system does not have.
    dialog.TrayHotKeyBox().SetHotKey(0xC053);
    Click(dialog.OkButton());
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    EXPECT_EQ(GetConfig().TrayHotKey(), 0xC053);
    EXPECT_TRUE(dialog.HotKeyChanged());
}

TEST_F(HotKeyDialogTest, TakenKeyIsShownAndARefusedChangeKeepsTheDialogOpen) {
    if (!IsVistaOrLater()) GTEST_SKIP() << "needs a newer system";
    test::BarStandIn bar(200, 600);
    std::vector<std::pair<std::uint16_t, std::uint16_t>> changes;
    std::uint16_t taken = 0xC041;  // Ctrl+Alt+A: held by another program
    TrayHotKeyLink link = test::StoredHotKeyLink();
    link.Change = [&](std::uint16_t from, std::uint16_t to) {
        changes.emplace_back(from, to);
        return to != taken;
    };
    link.StoredRefused = true;
    tk::Instance<TF_HotKey> dialog(bar.Handle(), link);
    dialog.Show();

    // One text line more under the group; the group itself does not move.
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.bottom, 188 - 74 + 16);
    EXPECT_EQ(ChildRect(dialog.Handle(), dialog.TrayGroup().Handle()).top, 8);
    const RECT status = ChildRect(dialog.Handle(), dialog.TrayStatusLabel().Handle());
    const RECT group = ChildRect(dialog.Handle(), dialog.TrayGroup().Handle());
    const RECT ok = ChildRect(dialog.Handle(), dialog.OkButton().Handle());
    EXPECT_TRUE(IsWindowVisible(dialog.TrayStatusLabel().Handle()));
    EXPECT_GE(status.top, group.bottom);
    EXPECT_LE(status.bottom, ok.top);
    EXPECT_LE(ok.bottom, client.bottom) << "the buttons are clipped";
    EXPECT_EQ(dialog.TrayStatusLabel().Text(), L"该热键已被其他程序占用");

    // The label follows the key shown: another key, then the stored one again.
    const auto typeKey = [&](std::uint16_t value) {
        dialog.TrayHotKeyBox().SetHotKey(value);
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(1002, EN_CHANGE),
                     reinterpret_cast<LPARAM>(dialog.TrayHotKeyBox().Handle()));
    };
    Click(dialog.TrayCustomRadio());
    EXPECT_EQ(dialog.TrayStatusLabel().Text(), L"");
    typeKey(0x1053);
    EXPECT_EQ(dialog.TrayStatusLabel().Text(), L"该热键已被其他程序占用");
    typeKey(0xC041);
    EXPECT_EQ(dialog.TrayStatusLabel().Text(), L"");
    Click(dialog.TrayDefaultRadio());
    EXPECT_EQ(dialog.TrayStatusLabel().Text(), L"该热键已被其他程序占用");

    // OK with a changed key the system refuses: told, kept open, nothing saved.
    Click(dialog.TrayCustomRadio());
    dialog.TrayHotKeyBox().SetHotKey(0xC041);
    Click(dialog.OkButton());
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].Text, L"该热键已被其他程序占用，请重新设置！");
    EXPECT_EQ(boxes()[0].Caption, L"Lumetra");
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::None);
    EXPECT_EQ(GetConfig().TrayHotKey(), 0x1053);
    EXPECT_EQ(dialog.TrayHotKeyBox().HotKey(), 0xC041);  // input kept

    // A free one: registered before OK saves it, and the dialog closes.
    taken = 0;
    Click(dialog.OkButton());
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    EXPECT_EQ(GetConfig().TrayHotKey(), 0xC041);
    using Change = std::pair<std::uint16_t, std::uint16_t>;
    EXPECT_EQ(changes, (std::vector<Change>{{0x1053, 0xC041}, {0x1053, 0xC041}}));
}

TEST_F(HotKeyDialogTest, UnchangedKeyIsNotRegisteredAgain) {
    test::BarStandIn bar(200, 600);
    int changes = 0;
    TrayHotKeyLink link = test::StoredHotKeyLink();
    link.Change = [&](std::uint16_t, std::uint16_t) { return ++changes, true; };
    tk::Instance<TF_HotKey> dialog(bar.Handle(), link);
    dialog.Show();
    EXPECT_FALSE(IsWindowVisible(dialog.TrayStatusLabel().Handle()));
    Click(dialog.OkButton());
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    EXPECT_EQ(changes, 0);
}

TEST_F(HotKeyDialogTest, RadioButtonsEnableTheBoxAndEscCancels) {
    test::BarStandIn bar(200, 600);
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    PostMessageW(dialog.TrayCustomRadio().Handle(), BM_CLICK, 0, 0);
    PostMessageW(dialog.TrayDefaultRadio().Handle(), BM_CLICK, 0, 0);
    PostMessageW(dialog.TrayCustomRadio().Handle(), BM_CLICK, 0, 0);
    // Esc reaches the form first, even with the hot-key box focused.
    PostMessageW(dialog.TrayHotKeyBox().Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    test::ModalWatchdog watchdog(dialog);
    EXPECT_EQ(dialog.ShowModal(), tk::ModalResult::Cancel);
    EXPECT_TRUE(dialog.TrayCustomRadio().Checked());
    EXPECT_TRUE(dialog.TrayHotKeyBox().Enabled());
    EXPECT_EQ(dialog.TrayHotKeyBox().HotKey(), 0);  // Esc was not taken as a key
    EXPECT_EQ(GetConfig().TrayHotKey(), 0x1053);
}

// ---- older systems: the launch shortcut

class HotKeyDialogXp : public test::AppTest {
protected:
    void SetUp() override {
        if (IsVistaOrLater()) GTEST_SKIP() << "needs the prefix set to Windows XP";
        test::AppTest::SetUp();
        folder = ShortcutFolder();
        ASSERT_FALSE(folder.empty());
        file = folder + "Lumetra.lnk";
        test::RemoveTreeA(folder.substr(0, folder.size() - 1));
    }
    void TearDown() override {
        if (!folder.empty()) test::RemoveTreeA(folder.substr(0, folder.size() - 1));
        test::AppTest::TearDown();
    }
    void MakeFolder() { ASSERT_NE(SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr), 0xFFFFFFFF); }
    bool FileExists() const { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string folder, file;
};

TEST_F(HotKeyDialogXp, FirstUseCreatesTheShortcutWithTheDefault) {
    EXPECT_STREQ(PickByVersion("new", "old"), "old");
    MakeFolder();
    test::BarStandIn bar(200, 600);
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.bottom, 188);
    EXPECT_TRUE(IsWindowVisible(dialog.StartGroup().Handle()));
    EXPECT_EQ(dialog.StartLabel().Text(), L"Ctrl + Alt + S");
    // No shortcut: the custom button and an empty box.
    EXPECT_TRUE(dialog.StartCustomRadio().Checked());
    EXPECT_TRUE(dialog.StartHotKeyBox().Enabled());
    EXPECT_EQ(dialog.StartHotKeyBox().DisplayText(), "无");

    Click(dialog.StartDefaultRadio());
    EXPECT_FALSE(dialog.StartHotKeyBox().Enabled());
    Click(dialog.OkButton());
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    EXPECT_TRUE(boxes().empty());
    ASSERT_TRUE(FileExists()) << file;

    TWinShortcut back;
    back.SetShortcutPath(folder);
    back.SetShortcutFileName("Lumetra.lnk");
    back.LoadFromFile();
    const std::string exe = test::ExePathA();
    EXPECT_EQ(lstrcmpiA(back.Target.c_str(), exe.c_str()), 0) << back.Target;
    EXPECT_EQ(lstrcmpiA(back.WorkingDirectory.c_str(), exe.substr(0, exe.find_last_of('\\')).c_str()), 0)
        << back.WorkingDirectory;
    WORD word = 0;
    ASSERT_TRUE(SUCCEEDED(back.ShellLink()->GetHotkey(&word)));
    EXPECT_EQ(word, MAKEWORD('S', HOTKEYF_CONTROL | HOTKEYF_ALT));
}

TEST_F(HotKeyDialogXp, UnchangedShortcutIsNotRewritten) {
    MakeFolder();
    {
        TWinShortcut link;
        link.SetShortcutPath(folder);
        link.SetShortcutFileName("Lumetra.lnk");
        link.Target = test::ExePathA();
        link.Description = "kept";
        link.HotKey = 'S';
        link.HotKeyModifiers = hkCtrl | hkAlt;
        link.SaveToFile();
    }
    // An old timestamp, so that any rewrite shows.
    FILETIME old{0x2A69C000, 0x01C0D3A8};
    {
        HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, nullptr, nullptr, &old);
        CloseHandle(h);
    }
    test::BarStandIn bar(200, 600);
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    EXPECT_TRUE(dialog.StartDefaultRadio().Checked());
    EXPECT_FALSE(dialog.StartHotKeyBox().Enabled());
    Click(dialog.OkButton());
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);

    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime);
    EXPECT_EQ(data.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);

    // A changed start key rewrites only the hot key of the existing shortcut.
    tk::Instance<TF_HotKey> again(bar.Handle(), test::StoredHotKeyLink());
    again.Show();
    Click(again.StartCustomRadio());
    again.StartHotKeyBox().SetHotKey(0x6041);  // Ctrl+Shift+A
    Click(again.OkButton());
    TWinShortcut back;
    back.SetShortcutPath(folder);
    back.SetShortcutFileName("Lumetra.lnk");
    back.LoadFromFile();
    EXPECT_EQ(back.HotKey, 'A');
    EXPECT_EQ(back.HotKeyModifiers, hkCtrl | hkShift);
    EXPECT_EQ(back.Description, "kept");
}

TEST_F(HotKeyDialogXp, WithoutTheFolderNothingIsWrittenAndNothingSaid) {
    test::BarStandIn bar(200, 600);
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    Click(dialog.StartDefaultRadio());
    Click(dialog.OkButton());
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(FileExists());
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);  // folders are never created
}

TEST_F(HotKeyDialogXp, DuplicateKeysAreReportedAndTheDialogStaysOpen) {
    MakeFolder();
    test::BarStandIn bar(200, 600);
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    Click(dialog.StartDefaultRadio());
    Click(dialog.TrayCustomRadio());
    dialog.TrayHotKeyBox().SetHotKey(0xC053);  // Ctrl+Alt+S, the start default
    Click(dialog.OkButton());
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].Text, L"热键定义重复，请重新设置！");
    EXPECT_EQ(boxes()[0].Caption, L"Lumetra");
    EXPECT_EQ(boxes()[0].Flags & 0xF0, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::None);
    EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
    EXPECT_FALSE(FileExists());
    EXPECT_EQ(dialog.TrayHotKeyBox().HotKey(), 0xC053);  // input kept

    // Two different custom keys pass.
    dialog.TrayHotKeyBox().SetHotKey(0xC041);
    Click(dialog.OkButton());
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    EXPECT_EQ(GetConfig().TrayHotKey(), 0xC041);
    EXPECT_TRUE(FileExists());
}

}  // namespace
}  // namespace quorvex
