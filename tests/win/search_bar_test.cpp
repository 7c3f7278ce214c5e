// The search bar built in-process: its window, controls, menus, keys and the
// settings it reads and writes, with message boxes recorded.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "bar/bar_history_win.h"
#include "bar/search_bar_win.h"
#include "bar/sign_in_start_win.h"
#include "config/config.h"
#include "search/search_types.h"
#include "toolkit/application.h"
#include "toolkit/screen.h"
#include "toolkit/speed_button.h"
#include "toolkit/text.h"
#include "win/menu_items_win.h"
#include "win/app_fixture_win.h"
#include "win/test_app.h"
#include "win/url_log.h"

namespace quorvex {
namespace {

using test::Recorded;

class SearchBarTest : public test::FirstRunTest {
protected:
    void TearDown() override {
        bar.reset();
        test::FirstRunTest::TearDown();
    }
    void Make() { bar = tk::MakeInstance<TF_Search>(); }
    tk::GraphicControl& Control(const char* name) {
        auto* c = bar->Find<tk::GraphicControl>(name);
        EXPECT_NE(c, nullptr) << name;
        return *c;
    }
    tk::MenuItem& Item(const char* name) {
        tk::MenuItem* item = bar->pmnuConfig->FindItem(name);
        if (!item) item = bar->pmnuSearchType->FindItem(name);
        EXPECT_NE(item, nullptr) << name;
        return *item;
    }
    void Key(unsigned key, tk::ShiftState shift) { bar->FormKeyDown(key, shift); }
    int Width() { return bar->Width(); }

    std::unique_ptr<TF_Search> bar;
};

TEST_F(SearchBarTest, WindowOfAFirstRun) {
    Make();
    wchar_t cls[32] = {};
    GetClassNameW(bar->Handle(), cls, 32);
    EXPECT_STREQ(cls, L"TF_Search");
    const LONG_PTR ex = GetWindowLongPtrW(bar->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_FALSE(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & (WS_BORDER | WS_CAPTION | WS_THICKFRAME));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(bar->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(bar->ClientHeight(), 55);
    EXPECT_EQ(Width(), 256);
    EXPECT_EQ(GetWindow(bar->Handle(), GW_OWNER), test::TestApp().Handle());
    // Anchored pieces follow the right edge.
    EXPECT_EQ(Control("btnClose").Left(), 256 - 30);
    EXPECT_EQ(Control("btnMin").Left(), 256 - 54);
    EXPECT_EQ(Control("imgRight").Left(), 256 - 24);
    EXPECT_EQ(Control("imgMid").Width(), 256 - 22 - 24);
    const RECT box = bar->cbxSearchText->BoundsRect();
    EXPECT_EQ(box.left, 8);
    EXPECT_EQ(box.top, 28);
    EXPECT_EQ(box.right - box.left, 120);
    EXPECT_EQ(box.bottom - box.top, 20);
    EXPECT_TRUE(Recorded().Errors.empty());
}

TEST_F(SearchBarTest, TheFontHasTheChineseGlyphs) {
    Make();
    HDC dc = GetDC(bar->Handle());
    HGDIOBJ old = SelectObject(dc, bar->Font());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const wchar_t text[] = L"网页搜索软件配置";
    WORD glyphs[8] = {};
    GetGlyphIndicesW(dc, text, 8, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    ReleaseDC(bar->Handle(), dc);
    for (WORD g : glyphs) EXPECT_NE(g, 0xFFFF);
    // Character height 12 (the rasteriser may round an outline face by a pixel).
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 12, 1);
    std::printf("bar font: %ls, height %ld, internal leading %ld\n", face, tm.tmHeight, tm.tmInternalLeading);
    EXPECT_EQ(tm.tmCharSet, GB2312_CHARSET);
}

TEST_F(SearchBarTest, ButtonsCarryIndexHintAndCaption) {
    Make();
    for (int i = 0; i < SearchTypeCount; ++i) EXPECT_EQ(Control(SearchButtonName(i)).Tag(), i);
    EXPECT_EQ(Control("btnWeb").Hint(), L"网页搜索，快捷键 Alt + A");
    EXPECT_EQ(Control("btnSoftware").Hint(), L"软件搜索，快捷键 Alt + K");
    EXPECT_EQ(Control("btnSetup").Hint(), L"软件配置，快捷键 F5");
    EXPECT_EQ(Control("btnHelp").Hint(), L"帮助，快捷键 F1");
    EXPECT_EQ(Control("btnMin").Hint(), L"最小化");
    EXPECT_EQ(Control("btnClose").Hint(), L"退出");
    EXPECT_TRUE(Control("btnSearchType").Hint().empty());
    auto* web = bar->Find<tk::SpeedButton>("btnWeb");
    EXPECT_EQ(web->Caption(), L"网页");
    EXPECT_EQ(web->Width(), 55);
    EXPECT_EQ(web->Left(), 130);
    EXPECT_FALSE(Control("btnMP3").Visible());
    EXPECT_TRUE(Control("btnSearchType").Visible());
    EXPECT_EQ(Control("btnSearchType").Left(), 186);
    EXPECT_EQ(Control("btnSetup").Left(), 200);
    EXPECT_EQ(Control("btnHelp").Left(), 223);
    // Captions are light on the dark skin, whatever the system's button text colour.
    for (int i = 0; i < SearchTypeCount; ++i) {
        const COLORREF c = bar->Find<tk::SpeedButton>(SearchButtonName(i))->CaptionColor();
        EXPECT_GE(GetRValue(c) + GetGValue(c) + GetBValue(c), 3 * 200) << SearchButtonName(i);
    }
}

// The menu as the user sees it, one line an item: the mark shown ("[x]" a
// check, "(*)" a radio bullet), the caption with its accelerator, "---" for a
// separator, and "(default)" after the bold default item.
std::vector<std::wstring> Shown(const tk::PopupMenu& menu) {
    HMENU h = menu.BuildMenu();
    const std::vector<test::MenuItemShown> items = test::MenuItemsOf(h);
    DestroyMenu(h);
    std::vector<std::wstring> lines;
    for (const test::MenuItemShown& item : items) {
        if (item.Type & MFT_SEPARATOR) {
            lines.push_back(L"---");
            continue;
        }
        std::wstring line = !(item.State & MFS_CHECKED) ? L"    " : (item.Type & MFT_RADIOCHECK) ? L"(*) " : L"[x] ";
        line += item.Text;
        if (item.State & MFS_DEFAULT) line += L" (default)";
        lines.push_back(line);
    }
    return lines;
}

std::string Narrow(const std::vector<std::wstring>& lines) {
    std::string out;
    for (const auto& l : lines) out += tk::WideToUtf8(l) + "\n";
    return out;
}

// Opens the setup menu the way its button does and types `key` into it, as
// the user picks an item by its underlined letter.
void ChooseFromSetupMenu(TF_Search& bar, wchar_t key) {
    static wchar_t typed;
    typed = key;
    SetTimer(bar.Handle(), 0x51, 100, [](HWND h, UINT, UINT_PTR id, DWORD) {
        KillTimer(h, id);
        PostMessageW(FindWindowW(L"#32768", nullptr), WM_CHAR, typed, 0);
    });
    // Never left open: a letter that chose nothing ends the menu here.
    SetTimer(bar.Handle(), 0x52, 3000, [](HWND h, UINT, UINT_PTR id, DWORD) {
        KillTimer(h, id);
        EndMenu();
    });
    bar.Find<tk::GraphicControl>("btnSetup")->Click();
    KillTimer(bar.Handle(), 0x51);
    KillTimer(bar.Handle(), 0x52);
}

TEST_F(SearchBarTest, SetupMenuAsShownAndPickedByItsLetters) {
    SetStartAtSignIn(false, ThisProgramPath());
    Make();
    std::vector<std::wstring> expected = {
        L"[x] 显示按钮文字(&T)",
        L"[x] 显示帮助按钮(&H)",
        L"[x] 自动从剪贴板复制文本(&C)",
        L"[x] 自动打开输入法(&I)",
        L"[x] 最小化到托盘区(&M)",
        L"    自定义热键(&K)...",
        L"---",
        L"    显示全部按钮(&1)",
        L"(*) 显示紧凑模式(&2)",
        L"    自定义显示按钮(&3)...",
        L"---",
        L"    开机时启动(&B)",
        L"    输入时显示搜索建议(&G)",
        L"    搜索引擎(&E)",
    };
    ASSERT_EQ(Shown(*bar->pmnuConfig), expected) << Narrow(Shown(*bar->pmnuConfig));

    // Each option's letter flips its setting and its mark.
    struct Option {
        wchar_t letter;
        std::size_t line;
        bool (TConfig::*setting)() const;
    } options[] = {
        {L'T', 0, &TConfig::ShowCaption}, {L'H', 1, &TConfig::ShowHelp},      {L'C', 2, &TConfig::AutoCopy},
        {L'I', 3, &TConfig::AutoOpenIME}, {L'M', 4, &TConfig::MinToTrayIcon},
    };
    for (const Option& o : options) {
        ChooseFromSetupMenu(*bar, o.letter);
        EXPECT_FALSE((GetConfig().*o.setting)()) << char(o.letter);
        expected[o.line].replace(0, 4, L"    ");
        EXPECT_EQ(Shown(*bar->pmnuConfig), expected) << Narrow(Shown(*bar->pmnuConfig));
    }
    EXPECT_EQ(bar->Find<tk::SpeedButton>("btnWeb")->Caption(), L"");  // the layout followed
    EXPECT_FALSE(Control("btnHelp").Visible());

    // The modes: the bullet moves to the chosen one.
    ChooseFromSetupMenu(*bar, L'1');
    EXPECT_EQ(GetConfig().ButtonMode(), bmShowAll);
    EXPECT_EQ(GetConfig().ButtonMask(), AllButtonsMask);
    EXPECT_TRUE(Control("btnSoftware").Visible());
    expected[7] = L"(*) 显示全部按钮(&1)";
    expected[8] = L"    显示紧凑模式(&2)";
    EXPECT_EQ(Shown(*bar->pmnuConfig), expected) << Narrow(Shown(*bar->pmnuConfig));
    ChooseFromSetupMenu(*bar, L'2');
    EXPECT_EQ(GetConfig().ButtonMode(), bmShowCompact);
    EXPECT_FALSE(Control("btnSoftware").Visible());
    expected[7] = L"    显示全部按钮(&1)";
    expected[8] = L"(*) 显示紧凑模式(&2)";

    // Start at sign-in: its letter writes this program's Run value, then deletes it.
    const std::string program = ThisProgramPath();
    ChooseFromSetupMenu(*bar, L'B');
    EXPECT_TRUE(StartsAtSignIn(program));
    expected[11] = L"[x] 开机时启动(&B)";
    EXPECT_EQ(Shown(*bar->pmnuConfig), expected) << Narrow(Shown(*bar->pmnuConfig));
    ChooseFromSetupMenu(*bar, L'B');
    EXPECT_FALSE(StartsAtSignIn(program));
    expected[11] = L"    开机时启动(&B)";
    EXPECT_EQ(Shown(*bar->pmnuConfig), expected) << Narrow(Shown(*bar->pmnuConfig));

    // The hot-key item opens the hot-key dialog.
    int dialogs = 0;
    bar->HotKeyDialogStep = [&](TF_Search&) {
        ++dialogs;
        return false;
    };
    ChooseFromSetupMenu(*bar, L'K');
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(Recorded().Errors.empty());
}

TEST_F(SearchBarTest, SetupMenuChangesSettingsAndLayout) {
    Make();
    Item("miShowAll").Click();
    EXPECT_EQ(GetConfig().ButtonMode(), 1);
    EXPECT_EQ(GetConfig().ButtonMask(), 2047);
    EXPECT_EQ(Width(), 802);
    EXPECT_TRUE(Item("miShowAll").Checked());
    EXPECT_FALSE(Item("miShowCompact").Checked());
    Item("miShowCaption").Click();
    EXPECT_FALSE(GetConfig().ShowCaption());
    EXPECT_EQ(Width(), 417);
    EXPECT_EQ(bar->Find<tk::SpeedButton>("btnGame")->Caption(), L"");
    Item("miShowHelp").Click();
    EXPECT_EQ(Width(), 394);
    EXPECT_FALSE(Control("btnHelp").Visible());
    Item("miShowCaption").Click();
    EXPECT_EQ(bar->Find<tk::SpeedButton>("btnGame")->Caption(), L"游戏");
    Item("miAutoCopy").Click();
    EXPECT_FALSE(GetConfig().AutoCopy());
    Item("miMinToTrayIcon").Click();
    EXPECT_FALSE(GetConfig().MinToTrayIcon());
    Item("miAutoOpenIME").Click();
    EXPECT_FALSE(GetConfig().AutoOpenIME());

    // Custom keeps the mask and sends the bar WM_ACTIVATEAPP 0 and 1 around the dialog.
    std::vector<WPARAM> activations;
    bar->AddHandler(WM_ACTIVATEAPP, [&](tk::Message& m) {
        activations.push_back(m.WParam);
        return false;
    });
    // The custom buttons dialog opens modally; a timer closes it once it shows.
    static int dialogsSeen;
    static tk::Form* theBar;
    static BYTE alphaWhileOpen;
    dialogsSeen = 0;
    alphaWhileOpen = 0;
    theBar = bar.get();
    const UINT_PTR closer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        for (tk::Form* form : tk::Screen::Forms()) {
            if (form != theBar && IsWindowVisible(form->Handle())) {
                ++dialogsSeen;
                GetLayeredWindowAttributes(theBar->Handle(), nullptr, &alphaWhileOpen, nullptr);
                form->Close();
            }
        }
    });
    Item("miShowCustom").Click();
    KillTimer(nullptr, closer);
    EXPECT_EQ(dialogsSeen, 1);
    EXPECT_EQ(GetConfig().ButtonMode(), 3);
    EXPECT_EQ(GetConfig().ButtonMask(), 2047);
    // The bar's own messages open and close the sequence (the system may add
    // its own activation messages while the dialog takes the focus), and the
    // bar was dimmed while the dialog showed.
    ASSERT_GE(activations.size(), 2u);
    EXPECT_EQ(activations.front(), 0u);
    EXPECT_EQ(activations.back(), 1u);
    EXPECT_EQ(alphaWhileOpen, 166);
    EXPECT_TRUE(Item("miShowCustom").Checked());
    EXPECT_FALSE(Item("miShowAll").Checked());

    Item("miShowCompact").Click();
    EXPECT_EQ(GetConfig().ButtonMask(), 1);
    EXPECT_TRUE(Item("miWeb").Checked());
    EXPECT_EQ(Width(), 130 + 56 + 14 + 23 + 10);  // help still hidden
}

TEST_F(SearchBarTest, SearchTypeMenuShowsEveryCategoryAndEachChoiceShowsItsButton) {
    Make();
    std::vector<std::wstring> expected;
    for (const TSearchTypeDef& type : SearchTypes) expected.push_back(L"    " + tk::Utf8ToWide(type.Caption));
    expected[0] = L"(*) 网页";  // the first run's web search
    ASSERT_EQ(Shown(*bar->pmnuSearchType), expected) << Narrow(Shown(*bar->pmnuSearchType));

    // Choosing a category shows its button alone and moves the bullet to it;
    // the forum shows its button but leaves the bullet where it was.
    std::size_t marked = 0;
    for (std::size_t i = 0; i < SearchTypes.size(); ++i) {
        const TSearchTypeDef& type = SearchTypes[i];
        bar->pmnuSearchType->Item(i).Click();  // what the menu runs for the chosen line
        EXPECT_EQ(GetConfig().ButtonMask(), type.Bit) << type.Key;
        EXPECT_EQ(bar->FirstVisibleSearchButton(), &Control(SearchButtonName(type.Id))) << type.Key;
        for (int j = 0; j < SearchTypeCount; ++j)
            EXPECT_EQ(Control(SearchButtonName(j)).Visible(), j == type.Id) << type.Key << " / " << j;
        EXPECT_EQ(Width(), 256) << type.Key;
        if (std::string(type.Key) != "PostBar") {
            expected[marked].replace(0, 4, L"    ");
            marked = i;
            expected[marked].replace(0, 4, L"(*) ");
        }
        EXPECT_EQ(Shown(*bar->pmnuSearchType), expected) << type.Key << "\n" << Narrow(Shown(*bar->pmnuSearchType));
    }
    EXPECT_TRUE(Recorded().Errors.empty());
}

TEST_F(SearchBarTest, SearchesAddToTheHistoryOnlyWhenTheShellTookThem) {
    ASSERT_FALSE(test::UrlLogPath().empty()) << "run inside scripts/wine-session --recorder";
    test::ClearUrlLog();
    Make();
    bar->cbxSearchText->SetText(L"   ");
    Control("btnWeb").Click();
    EXPECT_EQ(bar->cbxSearchText->Count(), 0u);  // blank: nothing started, nothing recorded
    bar->cbxSearchText->SetText(L"abc");
    unsigned enter = VK_RETURN;
    bar->cbxSearchTextKeyDown(enter, 0);
    const auto urls = test::WaitForUrls(1);
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0], "http://www.baidu.com/baidu?tn=sitekvtq&word=%61%62%63");
    EXPECT_EQ(bar->cbxSearchText->Items(), (std::vector<std::wstring>{L"abc"}));
    // Alt+F clicks the hidden forum button.
    unsigned f = 'F';
    Key(f, tk::ssAlt);
    const auto more = test::WaitForUrls(2);
    ASSERT_EQ(more.size(), 2u);
    EXPECT_EQ(more[1], "http://tieba.baidu.com/f?cb=sitekvtq&kw=%61%62%63");
    EXPECT_FALSE(Control("btnPostBar").Visible());
    EXPECT_EQ(bar->cbxSearchText->Items(), (std::vector<std::wstring>{L"abc"}));
    // A category chosen from the search-type menu is searched at once.
    Item("miPhoto").Click();
    const auto chosen = test::WaitForUrls(3);
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_EQ(chosen[2], "http://image.baidu.com/i?ct=201326592&cl=2&lm=-1&tn=baiduimage&word=%61%62%63");
}

TEST_F(SearchBarTest, HistoryOnTheRealDropDownBox) {
    Make();
    tk::ComboBox& box = *bar->cbxSearchText;
    for (const wchar_t* q : {L"abc", L"中文", L"xyz"}) {
        box.SetText(q);
        AddToHistory(box);
    }
    EXPECT_EQ(box.Items(), (std::vector<std::wstring>{L"xyz", L"中文", L"abc"}));
    box.SetText(L"ABC");
    AddToHistory(box);  // the listed letter case stays
    EXPECT_EQ(box.Items(), (std::vector<std::wstring>{L"abc", L"xyz", L"中文"}));
    EXPECT_EQ(box.Text(), L"ABC");
    for (int i = 0; i < 25; ++i) {
        box.SetText(L"q" + std::to_wstring(i));
        AddToHistory(box);
    }
    EXPECT_EQ(box.Count(), 20u);
    EXPECT_EQ(box.Item(0), L"q24");
    // Selecting an entry and searching it again keeps the text in the box.
    SendMessageW(box.Handle(), CB_SETCURSEL, 3, 0);
    const std::wstring chosen = box.Text();
    AddToHistory(box);
    EXPECT_EQ(box.Item(0), chosen);
    EXPECT_EQ(box.Text(), chosen);
    EXPECT_EQ(box.Count(), 20u);
}

TEST_F(SearchBarTest, CtrlDeleteAsksAndClearsOnYesOnly) {
    Make();
    tk::ComboBox& box = *bar->cbxSearchText;
    box.SetText(L"abc");
    AddToHistory(box);
    Recorded().Answer = IDNO;
    Key(VK_DELETE, tk::ssCtrl);
    ASSERT_EQ(Recorded().Boxes.size(), 1u);
    EXPECT_EQ(Recorded().Boxes[0].Text, L"您确定要清除历史记录吗？");
    EXPECT_EQ(Recorded().Boxes[0].Caption, L"Lumetra");
    EXPECT_EQ(Recorded().Boxes[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(box.Count(), 1u);
    EXPECT_EQ(box.Text(), L"abc");
    Key(VK_DELETE, tk::ssCtrl | tk::ssShift);
    Key(VK_DELETE, 0);
    EXPECT_EQ(Recorded().Boxes.size(), 1u);
    Recorded().Answer = IDYES;
    Key(VK_DELETE, tk::ssCtrl);
    EXPECT_EQ(Recorded().Boxes.size(), 2u);
    EXPECT_EQ(box.Count(), 0u);
    EXPECT_EQ(box.Text(), L"");
}

TEST_F(SearchBarTest, F1ShowsTheHelpBoxAlsoWithTheButtonHidden) {
    Make();
    Key(VK_F1, 0);
    Item("miShowHelp").Click();
    ASSERT_FALSE(Control("btnHelp").Visible());
    Key(VK_F1, tk::ssCtrl);
    ASSERT_EQ(Recorded().Boxes.size(), 2u);
    for (const auto& b : Recorded().Boxes) {
        EXPECT_EQ(b.Caption, L"Lumetra");
        EXPECT_EQ(b.Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
        EXPECT_EQ(b.Text.substr(0, 9), L"Lumetra\r\n");
        EXPECT_EQ(b.Text.substr(b.Text.size() - 21), L"Ctrl+Delete\t-  清除搜索历史");
    }
}

TEST_F(SearchBarTest, ALoadErrorIsShownAndTheBarStillWorks) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Ostravane\\Quorvex\\1.0", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"not a record";
    RegSetValueExW(key, L"Config", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegCloseKey(key);
    Make();
    ASSERT_EQ(Recorded().Errors.size(), 1u);
    EXPECT_EQ(Recorded().Errors[0], L"Invalid data type for 'Config'");  // "'" sorts before "."
    // Finished with the first-run settings: hints, handlers, layout.
    EXPECT_EQ(Control("btnWeb").Hint(), L"网页搜索，快捷键 Alt + A");
    EXPECT_EQ(Width(), 256);
    EXPECT_TRUE(Item("miShowCompact").Checked());
    Key(VK_F1, 0);
    EXPECT_EQ(Recorded().Boxes.size(), 1u);
}

TEST_F(SearchBarTest, DestroyStoresPositionHistoryAndSettingsOnce) {
    Make();
    int registered = 0, unregistered = 0;
    bar->RegisterHotKeyStep = [&](TF_Search&) { ++registered; };
    bar->UnregisterHotKeyStep = [&](TF_Search&) { ++unregistered; };
    bar->Show();
    bar->Hide();
    bar->Show();
    EXPECT_EQ(registered, 1);  // first showing only
    bar->SetBounds(640, 400, bar->Width(), bar->Height());
    bar->cbxSearchText->SetText(L"中文");
    AddToHistory(*bar->cbxSearchText);
    bar->Destroy();
    EXPECT_EQ(unregistered, 1);
    bar.reset();
    ReleaseConfig();
    TConfig& cfg = GetConfig();
    cfg.Load();
    EXPECT_EQ(cfg.WindowLeft(), 640 * 1000 / GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(cfg.WindowTop(), 400 * 1000 / GetSystemMetrics(SM_CYSCREEN));
    std::vector<std::string> history;
    cfg.LoadHistory(history);
    EXPECT_EQ(history, (std::vector<std::string>{"\xD6\xD0\xCE\xC4"}));
}

}  // namespace
}  // namespace quorvex
