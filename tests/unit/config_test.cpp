// The settings record image, the settings object's rules and the history slots.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "base/error.h"
#include "config/config.h"
#include "config/config_record.h"
#include "search/search_types.h"

namespace quorvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes DefaultHead() {
    return {1, 1, 1, 1, 1, 1, 0x53, 0x10, 0x53, 0x10, 2, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
}

Bytes Image(const TConfigRec& rec) {
    const TConfigImage image = EncodeConfigRec(rec);
    return Bytes(image.begin(), image.end());
}

Bytes Head(const TConfig& cfg) {
    Bytes all = Image(cfg.Rec());
    return Bytes(all.begin(), all.begin() + 24);
}

TStoredValue Stored(std::uint32_t type, const Bytes& bytes) {
    return TStoredValue{true, type, bytes.size(), bytes.empty() ? nullptr : bytes.data()};
}

void PutSlot(Bytes& image, int slot, const std::string& bytes) {
    std::memcpy(image.data() + 24 + 32 * (slot - 1), bytes.data(), bytes.size());
}

TEST(ConfigRecord, NewSettingsHaveTheDefaultImage) {
    TConfig cfg;
    Bytes expected = DefaultHead();
    expected.resize(664, 0);
    EXPECT_EQ(Image(cfg.Rec()), expected);
    EXPECT_TRUE(cfg.ShowCaption() && cfg.ShowHelp() && cfg.AutoCopy() && cfg.AutoOpenIME() && cfg.MinToTrayIcon());
    EXPECT_EQ(cfg.TrayHotKey(), 0x1053);
    EXPECT_EQ(cfg.SecondTrayHotKey(), 0x1053);
    EXPECT_EQ(cfg.ButtonMode(), bmShowCompact);
    EXPECT_EQ(cfg.ButtonMask(), 1);
    EXPECT_EQ(cfg.WindowLeft(), -1);
    EXPECT_EQ(cfg.WindowTop(), -1);
    EXPECT_EQ(cfg.CurrentEngine(), nullptr);
}

TEST(ConfigRecord, FullImageDecodesFieldByFieldAndEncodesBack) {
    Bytes image = {0,    2,    0,    0xFF, 1,    0x5A, 0x34, 0x12,
                   0x78, 0x56, 3,    0xAB, 0x01, 0x02, 0x00, 0x00,  // mask 513
                   0x0C, 0xFE, 0xFF, 0xFF,                          // left -500
                   0x10, 0x27, 0x00, 0x00};                         // top 10000
    image.resize(664, 0);
    PutSlot(image, 1, "abc");
    PutSlot(image, 20, std::string(32, 'z'));
    TConfigImage raw;
    std::copy(image.begin(), image.end(), raw.begin());
    const TConfigRec rec = DecodeConfigRec(raw);
    EXPECT_EQ(rec.ShowCaption, 0);
    EXPECT_EQ(rec.ShowHelp, 2);
    EXPECT_EQ(rec.AutoOpenIME, 0xFF);
    EXPECT_EQ(rec.ReservedFlag, 0x5A);
    EXPECT_EQ(rec.TrayHotKey, 0x1234);
    EXPECT_EQ(rec.SecondTrayHotKey, 0x5678);
    EXPECT_EQ(rec.ButtonMode, 3);
    EXPECT_EQ(rec.Alignment, 0xAB);
    EXPECT_EQ(rec.ButtonMask, 513);
    EXPECT_EQ(rec.WindowLeft, -500);
    EXPECT_EQ(rec.WindowTop, 10000);
    EXPECT_EQ(rec.History[0][2], 'c');
    EXPECT_EQ(rec.History[19][31], 'z');
    EXPECT_EQ(Image(rec), image);
}

TEST(ConfigRecord, ExtremeIntegersKeepTheirBytes) {
    TConfigRec rec;
    rec.ButtonMask = INT32_MIN;
    rec.WindowLeft = INT32_MAX;
    rec.WindowTop = -1;
    rec.TrayHotKey = 0xFFFF;
    const Bytes image = Image(rec);
    EXPECT_EQ(Bytes(image.begin() + 6, image.begin() + 8), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(Bytes(image.begin() + 12, image.begin() + 24),
              (Bytes{0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}));
    TConfigImage raw;
    std::copy(image.begin(), image.end(), raw.begin());
    EXPECT_EQ(DecodeConfigRec(raw), rec);
}

TEST(ConfigLoad, ReadRulesByTypeAndSize) {
    const Bytes eleven = {0, 0, 0, 0, 0, 7, 0x41, 0x80, 0x42, 0x40, 3};
    struct Case {
        const char* what;
        TStoredValue value;
        bool throws;
        Bytes head;  // expected offsets 0-23 afterwards
    };
    // The settings below were changed before the load, so bytes a load leaves
    // alone show up as changed and defaults put back show up as defaults.
    Bytes changed = DefaultHead();
    changed[0] = 0;
    changed[10] = 1;
    changed[12] = 0xFF;
    changed[13] = 0x07;
    changed[16] = 123;
    changed[17] = changed[18] = changed[19] = 0;
    Bytes elevenHead = changed;
    std::copy(eleven.begin(), eleven.end(), elevenHead.begin());
    Bytes big(665, 0);
    Bytes full(664, 0);
    full[10] = 3;
    full[12] = 0x20;
    const Bytes oneByte = {0};
    Bytes oneHead = changed;
    oneHead[0] = 0;
    Bytes fullHead(full.begin(), full.begin() + 24);
    const Bytes compact = {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 2};
    Bytes compactHead = changed;
    std::copy(compact.begin(), compact.end(), compactHead.begin());
    compactHead[12] = 1;  // the kept 2047 is no compact mask
    compactHead[13] = 0;
    const Case cases[] = {
        {"missing value", TStoredValue{}, false, DefaultHead()},
        {"empty binary", Stored(RegTypeBinary, {}), false, DefaultHead()},
        {"11-byte binary", Stored(RegTypeBinary, eleven), false, elevenHead},
        {"11-byte REG_NONE", Stored(RegTypeNone, eleven), false, elevenHead},
        {"11 bytes of an unknown type", Stored(7, eleven), false, elevenHead},
        {"one byte", Stored(RegTypeBinary, oneByte), false, oneHead},
        {"664 bytes", Stored(RegTypeBinary, full), false, fullHead},
        {"REG_SZ", Stored(RegTypeSz, eleven), true, DefaultHead()},
        {"REG_EXPAND_SZ", Stored(RegTypeExpandSz, eleven), true, DefaultHead()},
        {"REG_DWORD", Stored(RegTypeDword, {2, 0, 0, 0}), true, DefaultHead()},
        {"empty REG_SZ", Stored(RegTypeSz, {}), true, DefaultHead()},
        {"11-byte value leaving a mask that fails the check", Stored(RegTypeBinary, compact), false, compactHead},
        {"665 bytes", Stored(RegTypeBinary, big), true, DefaultHead()},
    };
    for (const Case& c : cases) {
        TConfig cfg;
        // Changed settings show which bytes the load rewrote.
        cfg.SetShowCaption(false);
        cfg.SetButtonMode(bmShowAll);
        cfg.SetWindowLeft(123);
        ASSERT_EQ(Head(cfg), changed);
        if (c.throws) {
            try {
                cfg.ApplyStoredValue(c.value);
                ADD_FAILURE() << c.what << ": no error";
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), "Invalid data type for 'Config'") << c.what;
            }
        } else {
            EXPECT_NO_THROW(cfg.ApplyStoredValue(c.value)) << c.what;
        }
        EXPECT_EQ(Head(cfg), c.head) << c.what;
    }
}

TEST(ConfigLoad, ButtonSettingsAreCheckedAfterReading) {
    struct Case {
        std::uint8_t mode;
        std::int32_t mask;
        std::int32_t loaded;
    };
    const Case cases[] = {
        {2, 32, 1}, {3, 32, 32},     {1, 0, 1},   {2, 0, 1},       {3, 2048, 1},    {1, 2048, 1}, {3, -1, 1},
        {2, 3, 1},  {2, 1024, 1024}, {2, 64, 64}, {1, 2047, 2047}, {3, 2047, 2047}, {9, 5, 5},    {0, 4096 + 1, 1},
    };
    for (const Case& c : cases) {
        TConfig cfg;
        TConfigRec rec = cfg.Rec();
        rec.ButtonMode = c.mode;
        rec.ButtonMask = c.mask;
        const TConfigImage image = EncodeConfigRec(rec);
        cfg.ApplyStoredValue(TStoredValue{true, RegTypeBinary, 16, image.data()});
        EXPECT_EQ(cfg.ButtonMask(), c.loaded) << int(c.mode) << "/" << c.mask;
        EXPECT_EQ(cfg.ButtonMode(), c.mode) << "the mode itself is not checked";
        EXPECT_TRUE(cfg.IsValid());
    }
}

TEST(ConfigSetters, ButtonModeSideEffectsAndTruthBytes) {
    TConfig cfg;
    cfg.SetButtonMask(5);
    cfg.SetButtonMode(bmShowCustom);
    EXPECT_EQ(cfg.ButtonMask(), 5);
    cfg.SetButtonMode(bmShowAll);
    EXPECT_EQ(cfg.ButtonMask(), 2047);
    cfg.SetButtonMode(bmShowCustom);
    EXPECT_EQ(cfg.ButtonMask(), 2047);
    cfg.SetButtonMode(bmShowCompact);
    EXPECT_EQ(cfg.ButtonMask(), 1);
    cfg.SetButtonMask(4);
    cfg.SetButtonMode(0);
    EXPECT_EQ(cfg.ButtonMode(), 0);
    EXPECT_EQ(cfg.ButtonMask(), 4);

    // A stored truth byte of 2 reads as true and is written back unchanged
    // until its setter is used.
    Bytes value = {2};
    cfg.ApplyStoredValue(Stored(RegTypeBinary, value));
    EXPECT_TRUE(cfg.ShowCaption());
    EXPECT_EQ(Image(cfg.Rec())[0], 2);
    cfg.SetShowCaption(true);
    EXPECT_EQ(Image(cfg.Rec())[0], 1);
    cfg.SetMinToTrayIcon(false);
    cfg.SetTrayHotKey(0xC053);
    cfg.SetWindowLeft(-7);
    cfg.SetWindowTop(1000);
    const Bytes image = Image(cfg.Rec());
    EXPECT_EQ(image[4], 0);
    EXPECT_EQ(Bytes(image.begin() + 6, image.begin() + 10), (Bytes{0x53, 0xC0, 0x53, 0x10}));
    EXPECT_EQ(Bytes(image.begin() + 16, image.begin() + 24), (Bytes{0xF9, 0xFF, 0xFF, 0xFF, 0xE8, 0x03, 0, 0}));
}

TEST(ConfigSetters, DefaultsKeepHistoryAndAlignment) {
    TConfig cfg;
    cfg.Rec().Alignment = 0x77;
    cfg.SaveHistory({"kept"});
    cfg.SetButtonMode(bmShowAll);
    cfg.SetDefaults();
    EXPECT_EQ(cfg.Rec().Alignment, 0x77);
    std::vector<std::string> list;
    cfg.LoadHistory(list);
    EXPECT_EQ(list, std::vector<std::string>{"kept"});
    EXPECT_EQ(cfg.ButtonMask(), 1);
}

TEST(ConfigSingleton, CreatedOnFirstUseAndReleased) {
    TConfig& a = GetConfig();
    EXPECT_EQ(&a, &GetConfig());
    a.SetButtonMode(bmShowAll);
    ReleaseConfig();
    EXPECT_EQ(GetConfig().ButtonMask(), 1) << "a fresh object has the defaults";
    ReleaseConfig();
}

TEST(ConfigLoad, EnginesAreBuiltFromTheBuiltInList) {
    TConfig cfg;
    cfg.LoadEngines();
    ASSERT_NE(cfg.CurrentEngine(), nullptr);
    EXPECT_EQ(cfg.CurrentEngine()->Name, SearchEngineDefs[0].Name);
    EXPECT_EQ(cfg.CurrentEngine()->URLs.size(), 11u);
}

TEST(ConfigFuzz, AnyStoredValueLeavesValidSettingsOrTheDefaults) {
    std::mt19937 rng(664);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> sizeDist(0, 2000);
    std::uniform_int_distribution<int> smallSize(0, 40);
    std::uniform_int_distribution<std::uint32_t> typeDist(0, 12);
    TConfig cfg;  // reused: every load starts from what the previous one left
    int errors = 0;
    for (int i = 0; i < 4000; ++i) {
        const int size = (i % 3 == 0) ? smallSize(rng) : sizeDist(rng);
        Bytes data(static_cast<std::size_t>(size));
        for (auto& b : data) b = static_cast<std::uint8_t>(byte(rng));
        // Masks near the interesting range now and then.
        if (data.size() >= 16 && i % 4 == 0) {
            data[12] = static_cast<std::uint8_t>(byte(rng) % 3 == 0 ? 32 : byte(rng));
            data[13] = static_cast<std::uint8_t>(byte(rng) % 9);
            data[14] = data[15] = 0;
            data[10] = static_cast<std::uint8_t>(1 + byte(rng) % 3);
        }
        std::uint32_t type = typeDist(rng);
        if (type == 12) type = static_cast<std::uint32_t>(rng());
        const bool exists = i % 50 != 0;
        TStoredValue value{exists, type, data.size(), data.empty() ? nullptr : data.data()};
        const Bytes before = Image(cfg.Rec());
        try {
            cfg.ApplyStoredValue(value);
        } catch (const Error& e) {
            ++errors;
            ASSERT_TRUE(exists);
            ASSERT_TRUE(type == RegTypeSz || type == RegTypeExpandSz || type == RegTypeDword || size > 664);
            Bytes head = Head(cfg);
            head[11] = 0;  // the alignment byte is not part of the defaults
            ASSERT_EQ(head, DefaultHead());
            continue;
        }
        ASSERT_TRUE(cfg.IsValid());
        const Bytes after = Image(cfg.Rec());
        if (exists && size > 0) {
            // The value's bytes are in place, the mask aside (it may have been replaced).
            for (int k = 0; k < size; ++k)
                if (k < 12 || k > 15) ASSERT_EQ(after[k], data[k]) << k;
            for (int k = size; k < 664; ++k)
                if (k < 12 || k > 15) ASSERT_EQ(after[k], before[k]) << k;
        } else {
            Bytes head = Head(cfg);
            head[11] = 0;
            ASSERT_EQ(head, DefaultHead());
        }
    }
    EXPECT_GT(errors, 100);
}

// --- history slots -----------------------------------------------------------

TEST(ConfigHistory, SlotsHoldTheFirstTwentyEntriesInOrder) {
    TConfig cfg;
    std::vector<std::string> list;
    for (int i = 0; i < 25; ++i) list.push_back("q" + std::to_string(i));
    cfg.SaveHistory(list);
    const Bytes image = Image(cfg.Rec());
    Bytes expected = DefaultHead();
    expected.resize(664, 0);
    for (int i = 0; i < 20; ++i) PutSlot(expected, i + 1, "q" + std::to_string(i));
    EXPECT_EQ(image, expected);
    std::vector<std::string> back = {"stale"};
    cfg.LoadHistory(back);
    EXPECT_EQ(back, std::vector<std::string>(list.begin(), list.begin() + 20));

    cfg.SaveHistory({});
    cfg.LoadHistory(back);
    EXPECT_TRUE(back.empty());
    Bytes cleared = DefaultHead();
    cleared.resize(664, 0);
    EXPECT_EQ(Image(cfg.Rec()), cleared);
}

TEST(ConfigHistory, LongEntriesAreCutTo32Bytes) {
    TConfig cfg;
    const std::string forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    const std::string gbk = "\xD6\xD0";                             // 中
    const std::string crossing = std::string(31, 'a') + gbk + "b";  // the character would straddle byte 32
    const std::string fits = std::string(30, 'a') + gbk + "b";      // ends exactly at byte 32
    std::string lowTrails = "a";
    for (int i = 0; i < 16; ++i) lowTrails += "\x81\x40";  // trail bytes that look like '@'
    cfg.SaveHistory({forty, crossing, fits, lowTrails, std::string(31, 'x') + " "});
    const auto& h = cfg.Rec().History;
    EXPECT_EQ(std::string(h[0].begin(), h[0].end()), forty.substr(0, 32));
    EXPECT_EQ(std::string(h[1].begin(), h[1].end()), std::string(31, 'a') + '\0');
    EXPECT_EQ(std::string(h[2].begin(), h[2].end()), std::string(30, 'a') + gbk);
    EXPECT_EQ(std::string(h[3].begin(), h[3].end()), lowTrails.substr(0, 31) + '\0');
    std::vector<std::string> list;
    cfg.LoadHistory(list);
    EXPECT_EQ(list, (std::vector<std::string>{forty.substr(0, 32), std::string(31, 'a'), std::string(30, 'a') + gbk,
                                              lowTrails.substr(0, 31), std::string(31, 'x')}));
}

TEST(ConfigHistory, LoadingSkipsBlankSlotsAndDropsHalfCharacters) {
    Bytes image = DefaultHead();
    image.resize(664, 0);
    PutSlot(image, 1, "one");
    PutSlot(image, 3, "    ");                                 // blanks only
    PutSlot(image, 4, "\t two \x01\x1F");                      // leading blanks kept, trailing removed
    PutSlot(image, 5, std::string("x\0yz", 4));                // ends at the first zero
    PutSlot(image, 6, std::string(31, 'c') + "\xD6");          // older data: a lone lead byte at the end
    PutSlot(image, 7, "ab \xB0");                              // lone lead after a blank
    PutSlot(image, 8, "\xB0");                                 // nothing but half a character
    PutSlot(image, 9, std::string(32, 'f'));                   // full slot, no terminator
    PutSlot(image, 10, "ab\xB0 \x01");                         // half a character before blanks
    PutSlot(image, 11, "a\xB0 \xB0");                          // and again once the last one goes
    PutSlot(image, 12, std::string(15, '\x97') + "\x01\x01");  // seven characters and half of one
    PutSlot(image, 20, "last");
    TConfig cfg;
    cfg.ApplyStoredValue(Stored(RegTypeBinary, image));
    std::vector<std::string> list = {"old"};
    cfg.LoadHistory(list);
    EXPECT_EQ(list, (std::vector<std::string>{"one", "\t two", "x", std::string(31, 'c'), "ab", std::string(32, 'f'),
                                              "ab", "a", std::string(14, '\x97'), "last"}));
    // What is read is what a save writes and the next load reads again.
    TConfig saved;
    saved.SaveHistory(list);
    std::vector<std::string> again;
    saved.LoadHistory(again);
    EXPECT_EQ(again, list);
    // All-blank slots give an empty list.
    TConfig blank;
    Bytes spaces = DefaultHead();
    spaces.resize(664, ' ');
    blank.ApplyStoredValue(Stored(RegTypeBinary, spaces));
    blank.LoadHistory(list);
    EXPECT_TRUE(list.empty());
}

TEST(ConfigHistory, GbkCutLength) {
    EXPECT_EQ(GbkCutLength("", 32), 0u);
    EXPECT_EQ(GbkCutLength("abc", 2), 2u);
    EXPECT_EQ(GbkCutLength("a\xD6\xD0", 2), 1u);
    EXPECT_EQ(GbkCutLength("a\xD6\xD0", 3), 3u);
    EXPECT_EQ(GbkCutLength("\xD6 ", 1), 1u) << "a lead byte without a trail is a byte of its own";
    EXPECT_EQ(GbkCutLength("\xD6\x7F", 1), 1u) << "0x7F is no trail byte";
}

}  // namespace
}  // namespace quorvex
