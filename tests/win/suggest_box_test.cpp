// Suggestions in the bar, built in-process: the option and its registry
// value, what counts as the user's change of the text, the list's window,
// its keys and the rules that close it. (The service's part is the fetcher's
// and the end-to-end script's.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "bar/search_bar_win.h"
#include "bar/suggest_box_win.h"
#include "bar/suggest_list_win.h"
#include "config/config.h"
#include "config/registry_key_win.h"
#include "toolkit/combo_box.h"
#include "win/app_fixture_win.h"
#include "win/test_app.h"
#include "win/url_log.h"

namespace quorvex {
namespace {

using test::Recorded;

class SuggestBoxTest : public test::FirstRunTest {
protected:
    void TearDown() override {
        bar.reset();
        // The paste case's text would fill later bars' boxes.
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        test::FirstRunTest::TearDown();
    }
    // A bar shown and active with the box focused, the option on and a history.
    void MakeShown(bool on = true) {
        bar = tk::MakeInstance<TF_Search>();
        GetConfig().SetSuggest(on);
        bar->cbxSearchText->SetItems({L"abd", L"xyz", L"abc", L"ABE", L"abf"});
        ShowWindow(bar->Handle(), SW_SHOW);
        SetForegroundWindow(bar->Handle());
        bar->cbxSearchText->SetFocus();
        RunIdleOnce();
    }
    HWND Edit() { return bar->cbxSearchText->EditHandle(); }
    TSuggestBox& Box() { return bar->Suggestions(); }
    // Typed as the keyboard does: characters into the edit field.
    void Type(const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(Edit(), WM_CHAR, c, 0);
    }
    // Runs the loop until the list is open (true) or `ms` passed.
    bool WaitOpen(DWORD ms = 2000) {
        const DWORD start = GetTickCount();
        while (!Box().IsOpen() && GetTickCount() - start < ms) RunIdleOnce();
        return Box().IsOpen();
    }
    void TypeAndOpen(const std::wstring& text) {
        Type(text);
        ASSERT_TRUE(WaitOpen());
    }
    std::vector<std::wstring> Rows() {
        std::vector<std::wstring> rows;
        HWND list = Box().List()->ListHandle();
        const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            wchar_t text[128] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            rows.push_back(text);
        }
        return rows;
    }
    unsigned Key(unsigned key, tk::ShiftState shift = 0) {
        bar->FormKeyDown(key, shift);
        return key;
    }
    static TRegistryKey::Value Read(const wchar_t* name) {
        TRegistryKey key;
        if (!key.OpenRead(HKEY_CURRENT_USER, ConfigRegistryKey)) return {};
        return key.QueryValue(name, 64);
    }
    static void WriteDword(const wchar_t* name, DWORD value) {
        TRegistryKey key;
        ASSERT_TRUE(key.CreateWrite(HKEY_CURRENT_USER, ConfigRegistryKey));
        key.SetValue(name, REG_DWORD, &value, sizeof value);
    }

    std::unique_ptr<TF_Search> bar;
};

TEST_F(SuggestBoxTest, TheOptionIsStoredBesideTheRecordOnlyWhenSwitched) {
    bar = tk::MakeInstance<TF_Search>();
    tk::MenuItem* item = bar->pmnuConfig->FindItem("miSuggest");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->Checked());
    EXPECT_FALSE(GetConfig().Suggest());
    bar->Destroy();
    EXPECT_FALSE(Read(SuggestValueName).Exists) << "off and untouched: nothing written";

    ReleaseConfig();
    bar = tk::MakeInstance<TF_Search>();
    bar->pmnuConfig->FindItem("miSuggest")->Click();
    EXPECT_TRUE(GetConfig().Suggest());
    bar->Destroy();
    const TRegistryKey::Value on = Read(SuggestValueName);
    ASSERT_TRUE(on.Exists);
    EXPECT_EQ(on.Type, static_cast<DWORD>(REG_DWORD));
    ASSERT_EQ(on.Size, 4u);
    EXPECT_EQ(on.Data[0], 1);
    EXPECT_EQ(Read(ConfigValueName).Size, 664u);

    ReleaseConfig();
    bar = tk::MakeInstance<TF_Search>();
    EXPECT_TRUE(bar->pmnuConfig->FindItem("miSuggest")->Checked());
    bar->Destroy();

    // A value the bar does not know counts as off and stays as it was.
    WriteDword(SuggestValueName, 7);
    ReleaseConfig();
    bar = tk::MakeInstance<TF_Search>();
    EXPECT_FALSE(bar->pmnuConfig->FindItem("miSuggest")->Checked());
    bar->Destroy();
    EXPECT_EQ(Read(SuggestValueName).Data[0], 7);
}

TEST_F(SuggestBoxTest, OnlyTheUsersChangesOpenTheListAfterTheirPause) {
    MakeShown();
    // Programmatic fills: the bar's, the drop-down's pick, another program's WM_SETTEXT.
    bar->cbxSearchText->SetText(L"ab");
    EXPECT_FALSE(Box().Pending());
    SendMessageW(bar->cbxSearchText->Handle(), CB_SETCURSEL, 2, 0);
    EXPECT_EQ(bar->cbxSearchText->Text(), L"abc");
    EXPECT_FALSE(Box().Pending());
    SendMessageW(Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ab"));
    EXPECT_FALSE(Box().Pending());
    RunIdleOnce();
    EXPECT_EQ(Box().List(), nullptr) << "no list window was ever made";

    // Typing: nothing before the pause has passed, then the history matches.
    SendMessageW(Edit(), EM_SETSEL, 2, 2);
    const DWORD typed = GetTickCount();
    Type(L"c");
    EXPECT_TRUE(Box().Pending());
    EXPECT_FALSE(Box().IsOpen());
    ASSERT_TRUE(WaitOpen());
    EXPECT_GE(GetTickCount() - typed, TSuggestBox::DebounceMs - 20);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"abc"}));

    // Deleting is the user's change too; history matches first, newest first, 3 at most.
    SendMessageW(Edit(), WM_CHAR, VK_BACK, 0);
    EXPECT_TRUE(Box().Pending());
    const DWORD start = GetTickCount();
    while (Box().Pending() && GetTickCount() - start < 2000) RunIdleOnce();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"abd", L"abc", L"ABE"}));

    // Pasting.
    bar->cbxSearchText->SetText(L"");
    EXPECT_FALSE(Box().IsOpen()) << "an empty box closes the list";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 8);
    memcpy(GlobalLock(mem), L"xy", 6);
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
    SendMessageW(Edit(), WM_PASTE, 0, 0);
    EXPECT_TRUE(Box().Pending());
    ASSERT_TRUE(WaitOpen());
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"xyz"}));
    EXPECT_TRUE(Recorded().Errors.empty());
}

TEST_F(SuggestBoxTest, WithTheOptionOffTypingChangesNothing) {
    MakeShown(false);
    Type(L"ab");
    EXPECT_FALSE(Box().Pending());
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 300) RunIdleOnce();
    EXPECT_EQ(Box().List(), nullptr);
    EXPECT_EQ(Key(VK_DOWN), unsigned{VK_DOWN}) << "Down still reaches the box";
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(bar->Handle())) << "Esc closes the bar as before";
}

TEST_F(SuggestBoxTest, TheListIsANonActivatingPopupUnderTheBox) {
    MakeShown();
    TypeAndOpen(L"ab");
    HWND popup = Box().List()->Handle();
    EXPECT_EQ(GetWindow(popup, GW_OWNER), bar->Handle());
    const LONG_PTR ex = GetWindowLongPtrW(popup, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrW(popup, GWL_STYLE) & WS_POPUP);
    const LONG_PTR style = GetWindowLongPtrW(Box().List()->ListHandle(), GWL_STYLE);
    EXPECT_TRUE(style & LBS_HASSTRINGS);
    EXPECT_EQ(GetFocus(), Edit()) << "the box keeps the focus";
    EXPECT_EQ(GetActiveWindow(), bar->Handle());
    RECT box{}, list{};
    GetWindowRect(bar->cbxSearchText->Handle(), &box);
    GetWindowRect(popup, &list);
    EXPECT_EQ(list.left, box.left);
    EXPECT_TRUE(list.top == box.bottom || list.bottom == box.top) << list.top << " " << box.bottom;
    EXPECT_EQ(list.bottom - list.top, 3 * TSuggestList::DesignRowHeight + 2 * GetSystemMetrics(SM_CYBORDER));
    EXPECT_TRUE(Box().List()->Row(0).FromHistory);
}

TEST_F(SuggestBoxTest, DownAndUpWalkTheRowsAndEscClosesTheListFirst) {
    MakeShown();
    TypeAndOpen(L"ab");
    tk::ComboBox& box = *bar->cbxSearchText;
    EXPECT_EQ(Key(VK_DOWN), 0u);
    EXPECT_EQ(box.Text(), L"abd");
    EXPECT_EQ(Key(VK_DOWN), 0u);
    EXPECT_EQ(box.Text(), L"abc");
    EXPECT_EQ(SendMessageW(Box().List()->ListHandle(), LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(Box().IsOpen()) << "the walk's own text keeps the list";
    EXPECT_FALSE(Box().Pending());
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(box.Text(), L"ABE");
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(box.Text(), L"ab") << "above the first row: what was typed";
    Key(VK_DOWN);
    EXPECT_EQ(Key(VK_ESCAPE), 0u);
    EXPECT_FALSE(Box().IsOpen());
    EXPECT_TRUE(IsWindowVisible(bar->Handle()));
    EXPECT_EQ(box.Text(), L"abd");
    // Closed: Down is the box's again, and a second Esc closes the bar.
    EXPECT_EQ(Key(VK_DOWN), unsigned{VK_DOWN});
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(bar->Handle()));
}

TEST_F(SuggestBoxTest, LeavingMovingHidingOrSearchingClosesTheList) {
    MakeShown();
    struct Case {
        const char* what;
        void (*act)(TF_Search&);
    } cases[] = {
        {"focus elsewhere", [](TF_Search& b) { SetFocus(b.Handle()); }},
        {"moved",
         [](TF_Search& b) {
             SetWindowPos(b.Handle(), nullptr, b.Left() + 10, b.Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
         }},
        {"hidden", [](TF_Search& b) { ShowWindow(b.Handle(), SW_HIDE); }},
        {"deactivated", [](TF_Search& b) { SendMessageW(b.Handle(), WM_ACTIVATE, WA_INACTIVE, 0); }},
        {"text set by another program",
         [](TF_Search& b) {
             SendMessageW(b.cbxSearchText->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
         }},
        {"text emptied",
         [](TF_Search& b) {
             SendMessageW(b.cbxSearchText->EditHandle(), EM_SETSEL, 0, -1);
             SendMessageW(b.cbxSearchText->EditHandle(), WM_CHAR, VK_BACK, 0);
         }},
    };
    for (const Case& c : cases) {
        ShowWindow(bar->Handle(), SW_SHOW);
        SetForegroundWindow(bar->Handle());
        bar->cbxSearchText->SetFocus();
        bar->cbxSearchText->SetText(L"");
        TypeAndOpen(L"ab");
        c.act(*bar);
        EXPECT_FALSE(Box().IsOpen()) << c.what;
        // Nothing pending reopens it.
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 250) RunIdleOnce();
        EXPECT_FALSE(Box().IsOpen()) << c.what;
    }
    // A change typed just before leaving never opens it either.
    ShowWindow(bar->Handle(), SW_SHOW);
    bar->cbxSearchText->SetFocus();
    Type(L"a");
    SetFocus(bar->Handle());
    EXPECT_FALSE(Box().Pending());
    EXPECT_TRUE(Recorded().Errors.empty());
}

TEST_F(SuggestBoxTest, EnterSearchesTheBoxAndAClickSearchesTheRow) {
    ASSERT_FALSE(test::UrlLogPath().empty()) << "run inside scripts/wine-session --recorder";
    test::ClearUrlLog();
    MakeShown();
    TypeAndOpen(L"ab");
    Key(VK_DOWN);
    unsigned enter = VK_RETURN;
    bar->cbxSearchTextKeyDown(enter, 0);
    auto urls = test::WaitForUrls(1);
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0], "http://www.baidu.com/baidu?tn=sitekvtq&word=%61%62%64");
    EXPECT_FALSE(Box().IsOpen());

    bar->cbxSearchText->SetText(L"");
    TypeAndOpen(L"ab");
    RECT row{};
    HWND list = Box().List()->ListHandle();
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.left + 5, row.top + 3));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(row.left + 5, row.top + 3));
    urls = test::WaitForUrls(2);
    ASSERT_EQ(urls.size(), 2u);
    EXPECT_EQ(urls[1], "http://www.baidu.com/baidu?tn=sitekvtq&word=%61%62%63");
    EXPECT_EQ(bar->cbxSearchText->Text(), L"abc");
    EXPECT_FALSE(Box().IsOpen());
    EXPECT_EQ(GetFocus(), Edit()) << "the click never took the focus";
    EXPECT_TRUE(Recorded().Errors.empty());
}

}  // namespace
}  // namespace quorvex
