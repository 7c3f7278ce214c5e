// The engines on the bar: the setup menu's engine submenu, the add dialog's
// refusals, and the engines kept in the registry beside the record.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "bar/search_bar_win.h"
#include "config/config.h"
#include "search/search_types.h"
#include "toolkit/text.h"
#include "widgets/add_engine_dialog_win.h"
#include "win/app_fixture_win.h"
#include "win/menu_items_win.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

using test::Recorded;

// Each row: "(*)" for the radio bullet, "[-]" for a disabled item, "---" a separator.
std::vector<std::wstring> Rows(HMENU menu) {
    std::vector<std::wstring> rows;
    for (const test::MenuItemShown& item : test::MenuItemsOf(menu)) {
        if (item.Type & MFT_SEPARATOR) {
            rows.push_back(L"---");
            continue;
        }
        std::wstring row = (item.State & MFS_CHECKED) && (item.Type & MFT_RADIOCHECK) ? L"(*) "
                           : (item.State & MFS_DISABLED)                              ? L"[-] "
                                                                                      : L"    ";
        rows.push_back(row + item.Text);
    }
    return rows;
}

// The engine submenu as the setup menu shows it (its last item).
std::vector<std::wstring> EngineRows(TF_Search& bar) {
    bar.SyncEngineMenu();
    HMENU h = bar.pmnuConfig->BuildMenu();
    const int last = GetMenuItemCount(h) - 1;
    std::vector<std::wstring> rows = Rows(GetSubMenu(h, last));
    DestroyMenu(h);
    return rows;
}

std::wstring HintOf(TF_Search& bar, int id) { return bar.Find<tk::GraphicControl>(SearchButtonName(id))->Hint(); }

class EngineMenuTest : public test::FirstRunTest {
protected:
    void TearDown() override {
        bar.reset();
        test::FirstRunTest::TearDown();
    }
    std::unique_ptr<TF_Search> bar;
};

TEST_F(EngineMenuTest, SubmenuListsTheEnginesMarksTheCurrentOneAndDeletesOnlyTheUsers) {
    bar = tk::MakeInstance<TF_Search>();
    tk::MenuItem& engines = bar->pmnuConfig->Item(bar->pmnuConfig->Count() - 1);
    EXPECT_EQ(engines.Caption(), L"搜索引擎(&E)");
    EXPECT_EQ(engines.Kind(), tk::MenuItemKind::Submenu);
    std::vector<std::wstring> expected = {L"(*) 百度",
                                          L"    必应",
                                          L"    搜狗",
                                          L"    360搜索",
                                          L"---",
                                          L"    添加搜索引擎(&A)...",
                                          L"[-] 删除当前搜索引擎(&D)"};
    EXPECT_EQ(EngineRows(*bar), expected);
    EXPECT_EQ(HintOf(*bar, 2), L"歌词搜索，快捷键 Alt + C");

    // Choosing moves the bullet; the categories 必应 lacks name 百度 in their hints.
    bar->pmnuEngines->FindItem("miEngine1")->Click();
    EXPECT_EQ(GetConfig().CurrentEngine()->Name, "必应");
    expected[0] = L"    百度";
    expected[1] = L"(*) 必应";
    EXPECT_EQ(EngineRows(*bar), expected);
    EXPECT_EQ(HintOf(*bar, 0), L"网页搜索，快捷键 Alt + A");
    EXPECT_EQ(HintOf(*bar, 2), L"在百度中搜索歌词，快捷键 Alt + C");
    EXPECT_EQ(HintOf(*bar, 3), L"图片搜索，快捷键 Alt + D");

    // A user's engine (an "&" shown as itself), current after adding; only it can be deleted.
    ASSERT_EQ(GetConfig().AddUserEngine({u"A&B", u"https://ab.example/?q={q}", TQueryCharset::Utf8, u""}),
              TEngineProblem::None);
    bar->MarkEngineMenu();
    expected = {L"    百度",
                L"    必应",
                L"    搜狗",
                L"    360搜索",
                L"(*) A&&B",
                L"---",
                L"    添加搜索引擎(&A)...",
                L"    删除当前搜索引擎(&D)"};
    EXPECT_EQ(EngineRows(*bar), expected);
    bar->pmnuEngines->FindItem("miDeleteEngine")->Click();
    EXPECT_EQ(GetConfig().CurrentEngine()->Name, "百度");
    EXPECT_EQ(GetConfig().Engines().Count(), BuiltInEngineCount);
    EXPECT_EQ(HintOf(*bar, 2), L"歌词搜索，快捷键 Alt + C");
    EXPECT_TRUE(Recorded().Errors.empty());
}

class AddEngineDialogTest : public test::FirstRunTest {
protected:
    void SetUp() override {
        test::FirstRunTest::SetUp();
        GetConfig().LoadEngines();
    }
    // Fills the fields, presses OK and returns the message shown (empty: none).
    std::wstring Ok(TF_AddEngine& dialog, const wchar_t* name, const wchar_t* url, const wchar_t* suggest = L"") {
        dialog.NameEdit().SetText(name);
        dialog.TemplateEdit().SetText(url);
        dialog.SuggestEdit().SetText(suggest);
        Recorded().Boxes.clear();
        SendMessageW(dialog.OkButton().Handle(), BM_CLICK, 0, 0);
        if (Recorded().Boxes.empty()) return L"";
        EXPECT_EQ(Recorded().Boxes.back().Caption, L"Lumetra");
        return Recorded().Boxes.back().Text;
    }
};

TEST_F(AddEngineDialogTest, RefusalsSayWhyAndKeepTheDialogOpen) {
    test::BarStandIn bar(100, 600);
    tk::Instance<TF_AddEngine> dialog(bar.Handle());
    dialog.Show();
    EXPECT_TRUE(dialog.Utf8Radio().Checked());
    const wchar_t* ok = L"https://s.example.com/?q={q}";
    struct Refusal {
        const wchar_t* name;
        const wchar_t* url;
        const wchar_t* suggest;
        TEngineProblem why;
    } refusals[] = {
        {L"", ok, L"", TEngineProblem::NameEmpty},
        {L"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三", ok, L"", TEngineProblem::NameTooLong},
        {L"BAIDU百度", ok, L"", TEngineProblem::None},  // not taken: checked below
        {L"必应", ok, L"", TEngineProblem::NameTaken},
        {L"Mine", L"ftp://s.example.com/?q={q}", L"", TEngineProblem::TemplateNotWeb},
        {L"Mine", L"https://s.example.com/?q=", L"", TEngineProblem::TemplateWithoutQuery},
        {L"Mine", L"https://s.example.com/?q={q}&r=%s", L"", TEngineProblem::TemplateManyQueries},
        {L"Mine", ok, L"javascript:alert(1)", TEngineProblem::SuggestNotWeb},
    };
    for (const Refusal& r : refusals) {
        if (r.why == TEngineProblem::None) continue;
        EXPECT_EQ(Ok(dialog, r.name, r.url, r.suggest), tk::Utf8ToWide(EngineProblemText(r.why))) << r.name;
        EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::None);
    }
    const std::wstring longUrl = std::wstring(L"https://s.example.com/?q={q}&p=") + std::wstring(380, L'x');
    EXPECT_EQ(Ok(dialog, L"Mine", longUrl.c_str()), tk::Utf8ToWide(EngineProblemText(TEngineProblem::TemplateTooLong)));
    EXPECT_EQ(GetConfig().Engines().Count(), BuiltInEngineCount) << "nothing added by a refusal";

    // Accepted: GBK chosen, %s stored as {q}, the engine current.
    dialog.GbkRadio().Check();
    EXPECT_EQ(Ok(dialog, L"中文搜", L"http://gbk.example.com/s?wd=%s", L"https://gbk.example.com/su?q="), L"");
    EXPECT_EQ(dialog.GetModalResult(), tk::ModalResult::Ok);
    const TSearchEngine* added = GetConfig().CurrentEngine();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Name, "中文搜");
    EXPECT_EQ(added->Charset, TQueryCharset::Gbk);
    EXPECT_EQ(added->URLs.at(0).Prefix, "http://gbk.example.com/s?wd=");
    EXPECT_EQ(added->SuggestUrl, "https://gbk.example.com/su?q=");
}

TEST_F(AddEngineDialogTest, OpensNextToTheBarAndFollowsTheScale) {
    test::BarStandIn bar(100, 600);
    tk::Instance<TF_AddEngine> dialog(bar.Handle());
    dialog.Show();
    RECT bounds, client;
    GetWindowRect(dialog.Handle(), &bounds);
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(bounds.left, 100);
    EXPECT_EQ(bounds.bottom, 600) << "just above the bar";
    EXPECT_EQ(client.right, dialog.Scale(320));
    EXPECT_EQ(client.bottom, dialog.Scale(178));
    EXPECT_EQ(GetFocus(), dialog.NameEdit().Handle());
}

// ---- stored beside the record

std::vector<std::uint8_t> ReadValue(const wchar_t* name, DWORD* type) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, ConfigRegistryKey, name, RRF_RT_ANY | RRF_NOEXPAND, type, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    std::vector<std::uint8_t> data(size);
    RegGetValueW(HKEY_CURRENT_USER, ConfigRegistryKey, name, RRF_RT_ANY | RRF_NOEXPAND, type, data.data(), &size);
    data.resize(size);
    return data;
}

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view units) {
    std::vector<std::uint8_t> out;
    for (char16_t u : units) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return out;
}

class EngineStoreTest : public test::FirstRunTest {};

TEST_F(EngineStoreTest, AFirstRunWritesNeitherValueAndAnAddedEngineComesBackCurrent) {
    GetConfig().Load();
    GetConfig().Save();
    DWORD type = 0;
    EXPECT_TRUE(ReadValue(EnginesValueName, &type).empty());
    EXPECT_TRUE(ReadValue(EngineValueName, &type).empty());

    ASSERT_EQ(GetConfig().AddUserEngine({u"词典", u"https://d.example/?w={q}", TQueryCharset::Gbk, u""}),
              TEngineProblem::None);
    GetConfig().Save();
    EXPECT_EQ(ReadValue(EnginesValueName, &type), Utf16Bytes(JoinMultiSz({u"词典\thttps://d.example/?w={q}\tgbk\t"})));
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(ReadValue(EngineValueName, &type), Utf16Bytes(std::u16string(u"词典") + u'\0'));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    ReleaseConfig();
    GetConfig().Load();
    ASSERT_NE(GetConfig().CurrentEngine(), nullptr);
    EXPECT_EQ(GetConfig().CurrentEngine()->Name, "词典");
    EXPECT_EQ(GetConfig().CurrentEngine()->Charset, TQueryCharset::Gbk);
}

TEST_F(EngineStoreTest, BadEntriesAreSkippedAndWrittenBackUntouched) {
    const std::u16string contents =
        JoinMultiSz({u"Good\thttps://g.example/?q={q}\tutf-8\t", u"no tabs at all",
                     u"Good\thttps://dup.example/?q={q}\tutf-8\t", u"", u"Late\thttps://l.example/?q=%s\tgbk"});
    const std::vector<std::uint8_t> bytes = Utf16Bytes(contents);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, ConfigRegistryKey, EnginesValueName, REG_MULTI_SZ, bytes.data(),
                              static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    GetConfig().Load();
    const TSearchEngines& engines = GetConfig().Engines();
    ASSERT_EQ(engines.Count(), BuiltInEngineCount + 2);
    EXPECT_EQ(engines.Items(BuiltInEngineCount).Name, "Good");
    EXPECT_EQ(engines.Items(BuiltInEngineCount).URLs.at(0).Prefix, "https://g.example/?q=");
    EXPECT_EQ(engines.Items(BuiltInEngineCount + 1).Name, "Late");
    EXPECT_EQ(GetConfig().CurrentEngine()->Name, "百度") << "no Engine value";
    GetConfig().Save();
    DWORD type = 0;
    EXPECT_EQ(ReadValue(EnginesValueName, &type), bytes);
    EXPECT_TRUE(ReadValue(EngineValueName, &type).empty());
}

}  // namespace
}  // namespace quorvex
