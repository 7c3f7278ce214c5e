// Start at sign-in through the user's Run value: what counts as this
// program's value, what is written and removed, and the setup menu's mark.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "bar/search_bar_win.h"
#include "bar/sign_in_start_win.h"
#include "toolkit/text.h"
#include "win/app_fixture_win.h"

namespace quorvex {
namespace {

class SignInStartTest : public test::FirstRunTest {
protected:
    void SetUp() override {
        test::FirstRunTest::SetUp();
        program = ThisProgramPath();
        RemoveValue();
    }
    void TearDown() override {
        bar.reset();
        RemoveValue();
        test::FirstRunTest::TearDown();
    }
    static void RemoveValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, SignInRunKey, SignInValueName); }
    static void Write(DWORD type, const void* data, DWORD bytes) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SignInRunKey, SignInValueName, type, data, bytes), ERROR_SUCCESS);
    }
    static void WriteText(DWORD type, const std::wstring& text) {
        Write(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // The stored value as it is: type and text.
    static std::wstring Stored(DWORD* type = nullptr) {
        wchar_t data[1024] = {};
        DWORD bytes = sizeof data;
        DWORD t = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, SignInRunKey, SignInValueName, RRF_RT_ANY | RRF_NOEXPAND, &t, data,
                         &bytes) != ERROR_SUCCESS)
            return L"<none>";
        if (type) *type = t;
        return data;
    }
    std::wstring Quoted() const { return L"\"" + tk::Utf8ToWide(program) + L"\""; }

    std::string program;
    std::unique_ptr<TF_Search> bar;
};

TEST_F(SignInStartTest, ThisProgramsPathIsTheTestProgramsFullPath) {
    ASSERT_GT(program.size(), 3u);
    EXPECT_EQ(program[1], ':');
    EXPECT_NE(program.find("quorvex_win_tests.exe"), std::string::npos);
}

TEST_F(SignInStartTest, WritesTheQuotedPathAndRemovesIt) {
    EXPECT_FALSE(StartsAtSignIn(program));
    SetStartAtSignIn(false, program);  // nothing to remove: no error
    SetStartAtSignIn(true, program);
    DWORD type = 0;
    EXPECT_EQ(Stored(&type), Quoted());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(StartsAtSignIn(program));
    SetStartAtSignIn(false, program);
    EXPECT_EQ(Stored(), L"<none>");
    EXPECT_FALSE(StartsAtSignIn(program));
}

TEST_F(SignInStartTest, ReadsValuesOthersWrote) {
    // Another case, no quotes, arguments: still this program.
    std::wstring upper = tk::Utf8ToWide(program);
    for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
    WriteText(REG_SZ, upper);
    EXPECT_TRUE(StartsAtSignIn(program));
    WriteText(REG_SZ, Quoted() + L" /tray");
    EXPECT_TRUE(StartsAtSignIn(program));
    // A path through an environment variable.
    const std::size_t slash = program.find_last_of('\\');
    SetEnvironmentVariableW(L"QUORVEX_TEST_HOME", tk::Utf8ToWide(program.substr(0, slash)).c_str());
    WriteText(REG_EXPAND_SZ, L"\"%QUORVEX_TEST_HOME%" + tk::Utf8ToWide(program.substr(slash)) + L"\"");
    EXPECT_TRUE(StartsAtSignIn(program));
    SetEnvironmentVariableW(L"QUORVEX_TEST_HOME", nullptr);
    // A string without its terminating zero.
    const std::wstring quoted = Quoted();
    Write(REG_SZ, quoted.data(), static_cast<DWORD>(quoted.size() * sizeof(wchar_t)));
    EXPECT_TRUE(StartsAtSignIn(program));
    // Another copy, or no string at all: not this program.
    WriteText(REG_SZ, L"\"C:\\Other\\Quorvex.exe\"");
    EXPECT_FALSE(StartsAtSignIn(program));
    const DWORD number = 1;
    Write(REG_DWORD, &number, sizeof number);
    EXPECT_FALSE(StartsAtSignIn(program));
}

TEST_F(SignInStartTest, SetupMenuMarksThisProgramsValueAndChoosingReplacesAnotherOne) {
    SetStartAtSignIn(true, program);
    bar = tk::MakeInstance<TF_Search>();
    tk::MenuItem* item = bar->pmnuConfig->FindItem("miStartAtSignIn");
    ASSERT_NE(item, nullptr);
    // Before the suggestions item and the engine submenu, the two items added after it.
    EXPECT_EQ(&bar->pmnuConfig->Item(bar->pmnuConfig->Count() - 3), item);
    EXPECT_TRUE(item->Checked());
    bar.reset();

    // A value naming another copy: unmarked, and a choice writes ours.
    WriteText(REG_SZ, L"\"C:\\Other\\Quorvex.exe\"");
    bar = tk::MakeInstance<TF_Search>();
    item = bar->pmnuConfig->FindItem("miStartAtSignIn");
    EXPECT_FALSE(item->Checked());
    item->Click();
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(Stored(), Quoted());

    // Changed behind the bar's back: the choice follows the value, not the stale mark.
    RemoveValue();
    item->Click();
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(Stored(), Quoted());
    item->Click();
    EXPECT_FALSE(item->Checked());
    EXPECT_EQ(Stored(), L"<none>");
    EXPECT_TRUE(test::Recorded().Errors.empty());
}

}  // namespace
}  // namespace quorvex
