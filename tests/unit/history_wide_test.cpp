// The typed history value: its bytes, what a load accepts, and when it is
// trusted over the GBK slots.
#include <gtest/gtest.h>

#include "config/config.h"
#include "config/history_wide.h"

namespace quorvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A small lossy GBK: ASCII as it is, a few CJK characters by the real table,
// anything else (as the platform does) one "?" per UTF-16 unit.
std::string FakeGbk(std::u16string_view text) {
    std::string out;
    for (char16_t u : text) {
        if (u < 0x80) out += static_cast<char>(u);
        else if (u == u'我') out += "\xCE\xD2";
        else if (u == u'爱') out += "\xB0\xAE";
        else if (u == u'北') out += "\xB1\xB1";
        else if (u == u'京') out += "\xBE\xA9";
        else out += '?';
    }
    return out;
}

Bytes Units(std::initializer_list<char16_t> units) {
    Bytes b;
    for (char16_t u : units) {
        b.push_back(static_cast<std::uint8_t>(u & 0xFF));
        b.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return b;
}

std::optional<THistoryW> Decode(const Bytes& b) { return DecodeHistoryW(b.empty() ? nullptr : b.data(), b.size()); }

const std::u16string Emoji = u"我爱\U0001F600北京";

TEST(HistoryW, BytesAreAMultiStringNewestFirst) {
    EXPECT_EQ(EncodeHistoryW({u"ab", u"c"}), Units({u'a', u'b', 0, u'c', 0, 0}));
    EXPECT_EQ(EncodeHistoryW({}), Units({0}));
    // The box lists no empty text, but one must not end the list early.
    EXPECT_EQ(EncodeHistoryW({u"", u"x"}), Units({u'x', 0, 0}));

    THistoryW many;
    for (int i = 0; i < 25; ++i) many.push_back(u"q" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
    const THistoryW back = Decode(EncodeHistoryW(many)).value();
    EXPECT_EQ(back, THistoryW(many.begin(), many.begin() + 20));

    const THistoryW typed = {Emoji, u"한국어", u"\uFEFFlead", std::u16string(100, u'x')};
    EXPECT_EQ(Decode(EncodeHistoryW(typed)), typed);
}

TEST(HistoryW, LoadAcceptsOnlyWhatThisProgramCouldHaveWritten) {
    EXPECT_EQ(Decode({}), THistoryW{});
    EXPECT_EQ(Decode(Units({0})), THistoryW{});
    EXPECT_EQ(Decode(Units({0, 0})), THistoryW{});
    EXPECT_EQ(Decode(Units({u'a', 0})), THistoryW{u"a"}) << "the list's own terminator may be missing";
    EXPECT_EQ(Decode(Units({u'a', 0, 0, 0, 0})), THistoryW{u"a"}) << "padding";

    EXPECT_EQ(Decode(Units({u'a'})), std::nullopt) << "no terminator";
    EXPECT_EQ(Decode(Bytes{u'a', 0, 0}), std::nullopt) << "odd size";
    EXPECT_EQ(Decode(Units({u'a', 0, 0, u'b', 0, 0})), std::nullopt) << "text after the end";

    std::u16string tooLong(101, u'x');
    Bytes b = EncodeHistoryW({std::u16string(100, u'x')});
    EXPECT_TRUE(Decode(b).has_value());
    b = Units({});
    for (char16_t u : tooLong) b.insert(b.end(), {static_cast<std::uint8_t>(u), 0});
    b.insert(b.end(), {0, 0, 0, 0});
    EXPECT_EQ(Decode(b), std::nullopt) << "longer than the box allows";

    Bytes twentyOne;
    for (int i = 0; i < 21; ++i) twentyOne.insert(twentyOne.end(), {'q', 0, 0, 0});
    twentyOne.insert(twentyOne.end(), {0, 0});
    EXPECT_EQ(Decode(twentyOne), std::nullopt) << "more than 20 entries";

    Bytes huge(HistoryWMaxBytes + 2, 0);
    EXPECT_EQ(Decode(huge), std::nullopt) << "larger than 20 full entries";
    EXPECT_EQ(DecodeHistoryW(nullptr, 4), std::nullopt);
}

TEST(HistoryW, TrustedOnlyWhileItAgreesWithTheSlots) {
    // What the slots hold after a save of the typed list.
    const std::vector<std::string> slots = {"\xCE\xD2\xB0\xAE??\xB1\xB1\xBE\xA9", "abc"};
    EXPECT_TRUE(HistoryWAgrees(slots, {Emoji, u"abc "}, &FakeGbk)) << "the slot drops trailing blanks";
    EXPECT_FALSE(HistoryWAgrees(slots, {Emoji}, &FakeGbk)) << "an older build added or removed entries";
    EXPECT_FALSE(HistoryWAgrees(slots, {u"abc", Emoji}, &FakeGbk)) << "an older build reordered them";
    EXPECT_FALSE(HistoryWAgrees({"\xCE\xD2\xB0\xAE", "abc"}, {Emoji, u"abc"}, &FakeGbk));
    EXPECT_TRUE(HistoryWAgrees({}, {}, &FakeGbk));

    // Longer than a slot: compared after the slot's 32-byte cut.
    const std::u16string forty = u"0123456789abcdefghijklmnopqrstuvwxyzABCD";
    EXPECT_TRUE(HistoryWAgrees({"0123456789abcdefghijklmnopqrstuv"}, {forty}, &FakeGbk));
    EXPECT_FALSE(HistoryWAgrees({"0123456789abcdefghijklmnopqrstuv"}, {u"X" + forty}, &FakeGbk));
}

TEST(HistoryW, SettingsHandOutTheTypedListOnlyWhenItAgrees) {
    const Bytes typed = EncodeHistoryW({Emoji, u"abc"});
    TConfig cfg;
    cfg.SaveHistory({"\xCE\xD2\xB0\xAE??\xB1\xB1\xBE\xA9", "abc"});
    EXPECT_EQ(cfg.LoadHistoryW(&FakeGbk), std::nullopt) << "nothing stored";

    cfg.ApplyStoredHistoryW(TStoredValue{true, RegTypeMultiSz, typed.size(), typed.data()});
    EXPECT_EQ(cfg.LoadHistoryW(&FakeGbk), (THistoryW{Emoji, u"abc"}));

    cfg.SaveHistory({"abc"});  // the slots changed without the typed list
    EXPECT_EQ(cfg.LoadHistoryW(&FakeGbk), std::nullopt);

    cfg.SaveHistory({"\xCE\xD2\xB0\xAE??\xB1\xB1\xBE\xA9", "abc"});
    cfg.ApplyStoredHistoryW(TStoredValue{true, RegTypeBinary, typed.size(), typed.data()});
    EXPECT_EQ(cfg.LoadHistoryW(&FakeGbk), std::nullopt) << "wrong type";
    cfg.ApplyStoredHistoryW(TStoredValue{true, RegTypeMultiSz, HistoryWMaxBytes + 2, nullptr});
    EXPECT_EQ(cfg.LoadHistoryW(&FakeGbk), std::nullopt) << "too large to read";

    cfg.ApplyStoredHistoryW(TStoredValue{true, RegTypeMultiSz, typed.size(), typed.data()});
    cfg.ApplyMissingKey();
    EXPECT_EQ(cfg.LoadHistoryW(&FakeGbk), std::nullopt) << "no key: nothing stored";

    THistoryW many(25, u"q");
    cfg.SaveHistoryW(many);
    cfg.SaveHistory(std::vector<std::string>(25, "q"));
    EXPECT_EQ(cfg.LoadHistoryW(&FakeGbk), THistoryW(20, u"q"));
}

}  // namespace
}  // namespace quorvex
