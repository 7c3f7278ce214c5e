// The history as typed in the real registry: a query GBK cannot hold comes
// back whole, and the slots an older build wrote still win.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "bar/search_bar_win.h"
#include "config/config.h"
#include "config/registry_key_win.h"
#include "toolkit/combo_box.h"
#include "toolkit/text.h"
#include "win/app_fixture_win.h"

namespace quorvex {
namespace {

const std::wstring Emoji = L"我爱\U0001F600北京";
const std::string EmojiSlot = "\xCE\xD2\xB0\xAE??\xB1\xB1\xBE\xA9";  // what GBK keeps of it

class TypedHistory : public test::FirstRunTest {
protected:
    void TearDown() override {
        bar.reset();
        test::FirstRunTest::TearDown();
    }
    // A bar run: starts with the stored settings, searches nothing, leaves
    // `typed` at the top of its history and ends (which saves).
    std::vector<std::wstring> Run(const std::vector<std::wstring>& typed = {}) {
        ReleaseConfig();
        bar = tk::MakeInstance<TF_Search>();
        const std::vector<std::wstring> loaded = bar->cbxSearchText->Items();
        for (auto it = typed.rbegin(); it != typed.rend(); ++it) bar->cbxSearchText->InsertItem(0, *it);
        bar->Destroy();
        bar.reset();
        return loaded;
    }
    static TRegistryKey::Value Read(const wchar_t* name) {
        TRegistryKey key;
        EXPECT_TRUE(key.OpenRead(HKEY_CURRENT_USER, ConfigRegistryKey));
        return key.QueryValue(name, 8192);
    }
    static void Write(const wchar_t* name, DWORD type, const std::vector<std::uint8_t>& bytes) {
        TRegistryKey key;
        ASSERT_TRUE(key.CreateWrite(HKEY_CURRENT_USER, ConfigRegistryKey));
        key.SetValue(name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    // An older build's exit: the record with `slots`, no typed list touched.
    static void WriteSlots(const std::vector<std::string>& slots) {
        TConfig cfg;
        cfg.Load();
        cfg.SaveHistory(slots);
        const TConfigImage image = EncodeConfigRec(cfg.Rec());
        Write(ConfigValueName, REG_BINARY, std::vector<std::uint8_t>(image.begin(), image.end()));
    }
    static std::vector<std::string> Slots() {
        TConfig cfg;
        cfg.Load();
        std::vector<std::string> slots;
        cfg.LoadHistory(slots);
        return slots;
    }

    std::unique_ptr<TF_Search> bar;
};

TEST_F(TypedHistory, AQueryOutsideGbkComesBackWhole) {
    EXPECT_TRUE(Run({Emoji, L"한국어", L"abc"}).empty());
    const TRegistryKey::Value typed = Read(HistoryWValueName);
    ASSERT_TRUE(typed.Exists);
    EXPECT_EQ(typed.Type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(Read(ConfigValueName).Size, 664u) << "the record keeps its size";
    EXPECT_EQ(Slots(), (std::vector<std::string>{EmojiSlot, "???", "abc"}));

    EXPECT_EQ(Run(), (std::vector<std::wstring>{Emoji, L"한국어", L"abc"}));
    EXPECT_EQ(Run(), (std::vector<std::wstring>{Emoji, L"한국어", L"abc"}))
        << "and again after a run that added nothing";
}

TEST_F(TypedHistory, SlotsWithoutATypedListAreLoadedAsBefore) {
    WriteSlots({"\xD6\xD0\xCE\xC4", "abc"});  // 中文
    EXPECT_EQ(Run(), (std::vector<std::wstring>{L"中文", L"abc"}));
    // That run wrote the typed list beside them.
    EXPECT_TRUE(Read(HistoryWValueName).Exists);
    EXPECT_EQ(Run(), (std::vector<std::wstring>{L"中文", L"abc"}));
}

TEST_F(TypedHistory, SlotsAnOlderBuildChangedWin) {
    Run({Emoji, L"abc"});
    WriteSlots({"new", EmojiSlot, "abc"});  // an older build searched "new" since
    EXPECT_EQ(Run(), (std::vector<std::wstring>{L"new", tk::GbkToWide(EmojiSlot), L"abc"}));
}

TEST_F(TypedHistory, SlotsAnOlderBuildRewroteUnchangedKeepTheTypedText) {
    Run({Emoji, L"abc"});
    WriteSlots({EmojiSlot, "abc"});  // an older build ran and searched nothing
    // Same count and the same slots: the typed text is the better reading of them.
    EXPECT_EQ(Run(), (std::vector<std::wstring>{Emoji, L"abc"}));
}

TEST_F(TypedHistory, ABadTypedListIsIgnoredWithoutAnError) {
    WriteSlots({"abc"});
    const std::wstring text = L"abc";
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.c_str());
    Write(HistoryWValueName, REG_SZ, std::vector<std::uint8_t>(p, p + 8));
    EXPECT_EQ(Run(), (std::vector<std::wstring>{L"abc"}));
    EXPECT_TRUE(test::Recorded().Errors.empty());
    EXPECT_EQ(Read(HistoryWValueName).Type, static_cast<DWORD>(REG_MULTI_SZ)) << "rewritten at exit";

    Write(HistoryWValueName, REG_MULTI_SZ, {'a', 0, 'b', 0, 'c', 0});  // no terminator
    EXPECT_EQ(Run(), (std::vector<std::wstring>{L"abc"}));
    Write(HistoryWValueName, REG_MULTI_SZ, std::vector<std::uint8_t>(9000, 'x'));  // far too large
    EXPECT_EQ(Run(), (std::vector<std::wstring>{L"abc"}));
    EXPECT_TRUE(test::Recorded().Errors.empty());
}

}  // namespace
}  // namespace quorvex
