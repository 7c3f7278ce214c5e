// The settings value in the session's real registry: every type and size case
// of the read rules, and the bytes a save leaves behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "base/error.h"
#include "config/config.h"
#include "config/config_record.h"
#include "config/registry_key_win.h"

namespace quorvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes DefaultHead() {
    return {1, 1, 1, 1, 1, 1, 0x53, 0x10, 0x53, 0x10, 2, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
}

Bytes Head(const TConfig& cfg) {
    const TConfigImage image = EncodeConfigRec(cfg.Rec());
    return Bytes(image.begin(), image.begin() + 24);
}

class ConfigRegistry : public ::testing::Test {
protected:
    void SetUp() override { DeleteKey(); }
    void TearDown() override { DeleteKey(); }

    static void DeleteKey() {
        LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ostravane");
        ASSERT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << rc;
    }
    static void Store(DWORD type, const Bytes& bytes) {
        TRegistryKey key;
        ASSERT_TRUE(key.CreateWrite(HKEY_CURRENT_USER, ConfigRegistryKey));
        ASSERT_EQ(RegSetValueExW(key.Get(), ConfigValueName, 0, type, bytes.empty() ? nullptr : bytes.data(),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    static void StoreString(DWORD type, const std::wstring& s) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(s.c_str());
        Store(type, Bytes(p, p + (s.size() + 1) * sizeof(wchar_t)));
    }
    // Loads into a settings object whose fields were changed beforehand, so
    // that defaults put back by the load are visible.
    static std::string LoadChanged(TConfig& cfg) {
        cfg.SetShowCaption(false);
        cfg.SetButtonMode(bmShowAll);
        cfg.SetWindowLeft(123);
        try {
            cfg.Load();
        } catch (const Error& e) {
            return e.what();
        }
        return {};
    }
};

TEST_F(ConfigRegistry, MissingKeyValueOrDataGiveTheDefaults) {
    {
        TConfig cfg;
        EXPECT_EQ(LoadChanged(cfg), "");
        EXPECT_EQ(Head(cfg), DefaultHead()) << "no key";
        ASSERT_NE(cfg.CurrentEngine(), nullptr) << "the engines are built even without settings";
    }
    {
        TRegistryKey key;
        ASSERT_TRUE(key.CreateWrite(HKEY_CURRENT_USER, ConfigRegistryKey));
    }
    {
        TConfig cfg;
        EXPECT_EQ(LoadChanged(cfg), "");
        EXPECT_EQ(Head(cfg), DefaultHead()) << "key without the value";
    }
    Store(REG_BINARY, {});
    {
        TConfig cfg;
        EXPECT_EQ(LoadChanged(cfg), "");
        EXPECT_EQ(Head(cfg), DefaultHead()) << "empty value";
    }
}

TEST_F(ConfigRegistry, ShortBinaryAndUntypedValuesOverlayTheStart) {
    const Bytes eleven = {0, 1, 0, 1, 0, 9, 0x41, 0x80, 0x42, 0x40, 3};
    for (DWORD type : {DWORD(REG_BINARY), DWORD(REG_NONE), DWORD(REG_MULTI_SZ)}) {
        Store(type, eleven);
        TConfig cfg;
        EXPECT_NO_THROW(cfg.Load());
        Bytes expected = DefaultHead();
        std::copy(eleven.begin(), eleven.end(), expected.begin());
        EXPECT_EQ(Head(cfg), expected) << "type " << type;
        EXPECT_EQ(cfg.TrayHotKey(), 0x8041);
        EXPECT_EQ(cfg.SecondTrayHotKey(), 0x4042);
        EXPECT_EQ(cfg.ButtonMask(), 1) << "beyond the value: the defaults";
    }
}

TEST_F(ConfigRegistry, StringDwordAndOversizedValuesAreRefused) {
    struct Case {
        const char* what;
        void (*store)();
    };
    const Case cases[] = {
        {"REG_SZ", [] { StoreString(REG_SZ, L"Config"); }},
        {"REG_EXPAND_SZ", [] { StoreString(REG_EXPAND_SZ, L"%TEMP%"); }},
        {"REG_DWORD",
         [] {
             Store(REG_DWORD, {3, 0, 0, 0});
         }},
        {"665 bytes", [] { Store(REG_BINARY, Bytes(665, 1)); }},
        {"100000 bytes", [] { Store(REG_BINARY, Bytes(100000, 1)); }},
    };
    for (const Case& c : cases) {
        c.store();
        TConfig cfg;
        EXPECT_EQ(LoadChanged(cfg), "Invalid data type for 'Config'") << c.what;
        EXPECT_EQ(Head(cfg), DefaultHead()) << c.what;
    }
}

TEST_F(ConfigRegistry, ButtonSettingsAreCheckedAfterLoading) {
    Bytes value = DefaultHead();
    value[12] = 32;  // compact mode with the forum type
    Store(REG_BINARY, value);
    TConfig compact;
    compact.Load();
    EXPECT_EQ(compact.ButtonMask(), 1);
    value[10] = 3;
    Store(REG_BINARY, value);
    TConfig custom;
    custom.Load();
    EXPECT_EQ(custom.ButtonMask(), 32);
}

TEST_F(ConfigRegistry, SaveWritesTheExact664BytesAndLoadsThemBack) {
    TConfig cfg;
    cfg.SetShowHelp(false);
    cfg.SetAutoOpenIME(false);
    cfg.SetTrayHotKey(0xC070);
    cfg.SetButtonMode(bmShowCustom);
    cfg.SetButtonMask(0x405);
    cfg.SetWindowLeft(250);
    cfg.SetWindowTop(-1);
    cfg.Rec().Alignment = 0x3C;
    cfg.SaveHistory({"\xD6\xD0\xCE\xC4", "abc", std::string(40, 'x')});
    cfg.Save();  // creates the key

    Bytes expected = {1,    0,    1, 0, 1,   1, 0x70, 0xC0, 0x53, 0x10, 3,    0x3C,
                      0x05, 0x04, 0, 0, 250, 0, 0,    0,    0xFF, 0xFF, 0xFF, 0xFF};
    expected.resize(664, 0);
    std::memcpy(&expected[24], "\xD6\xD0\xCE\xC4", 4);
    std::memcpy(&expected[56], "abc", 3);
    std::memset(&expected[88], 'x', 32);
    const TConfigImage codec = EncodeConfigRec(cfg.Rec());
    ASSERT_EQ(Bytes(codec.begin(), codec.end()), expected);

    TRegistryKey key;
    ASSERT_TRUE(key.OpenRead(HKEY_CURRENT_USER, ConfigRegistryKey));
    DWORD type = 0;
    Bytes stored(1000);
    DWORD size = static_cast<DWORD>(stored.size());
    ASSERT_EQ(RegQueryValueExW(key.Get(), ConfigValueName, nullptr, &type, stored.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    stored.resize(size);
    EXPECT_EQ(stored, expected);
    key.Close();

    TConfig back;
    back.Load();
    EXPECT_EQ(back.Rec(), cfg.Rec());
    std::vector<std::string> list;
    back.LoadHistory(list);
    EXPECT_EQ(list, (std::vector<std::string>{"\xD6\xD0\xCE\xC4", "abc", std::string(32, 'x')}));

    // A second save replaces the value whole.
    back.SetButtonMode(bmShowAll);
    back.SaveHistory({});
    back.Save();
    TConfig third;
    third.Load();
    EXPECT_EQ(third.ButtonMask(), 2047);
    third.LoadHistory(list);
    EXPECT_TRUE(list.empty());
}

TEST_F(ConfigRegistry, ARefusedWriteKeepsTheSystemsErrorCode) {
    {
        TRegistryKey key;
        ASSERT_TRUE(key.CreateWrite(HKEY_CURRENT_USER, ConfigRegistryKey));
    }
    TRegistryKey readOnly;
    ASSERT_TRUE(readOnly.OpenRead(HKEY_CURRENT_USER, ConfigRegistryKey));
    const std::uint8_t byte = 1;
    try {
        readOnly.SetBinary(ConfigValueName, &byte, 1);
        ADD_FAILURE() << "a write through a read-only key passed as success";
    } catch (const SystemError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Config'");
        EXPECT_EQ(e.Code(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    }
    EXPECT_FALSE(readOnly.QueryValue(ConfigValueName, 664).Exists);
}

}  // namespace
}  // namespace quorvex
