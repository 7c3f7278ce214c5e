// The suggestion list's placement, keyboard walk and stressed part, and the
// read rules of its two settings.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bar/suggest_placement.h"
#include "bar/suggest_walk.h"
#include "config/config.h"

namespace quorvex {
namespace {

const TRectI Work{0, 0, 1280, 760};  // a taskbar of 40 below

TEST(SuggestPlacement, BelowTheBoxAboveWhenNoRoomThenTheLargerSide) {
    // A bar near the top: below the box.
    const TRectI high = PlaceSuggestList({100, 30, 220, 50}, 260, 200, Work);
    EXPECT_EQ(high.Top, 50);
    EXPECT_EQ(high.Bottom, 250);
    EXPECT_EQ(high.Left, 100);
    EXPECT_EQ(high.Right, 360);
    // Exactly fitting below still opens below.
    EXPECT_EQ(PlaceSuggestList({100, 540, 220, 560}, 260, 200, Work).Top, 560);
    // The bar on the taskbar: above the box, ending at its top.
    const TRectI low = PlaceSuggestList({100, 733, 220, 753}, 260, 200, Work);
    EXPECT_EQ(low.Bottom, 733);
    EXPECT_EQ(low.Top, 533);
    // Fitting neither way: the larger side, cut to it.
    const TRectI tall = PlaceSuggestList({100, 300, 220, 320}, 260, 600, Work);
    EXPECT_EQ(tall.Top, 320);
    EXPECT_EQ(tall.Bottom, 760);
    const TRectI tallLow = PlaceSuggestList({100, 500, 220, 520}, 260, 600, Work);
    EXPECT_EQ(tallLow.Top, 0);
    EXPECT_EQ(tallLow.Bottom, 500);
}

TEST(SuggestPlacement, StaysInsideTheWorkAreaSideways) {
    // At the right edge: moved left to end at it.
    const TRectI right = PlaceSuggestList({1200, 30, 1270, 50}, 260, 100, Work);
    EXPECT_EQ(right.Right, 1280);
    EXPECT_EQ(right.Left, 1020);
    // Wider than the area: starts at its left edge.
    EXPECT_EQ(PlaceSuggestList({100, 30, 220, 50}, 2000, 100, Work).Left, 0);
    // A second monitor left of the primary one (negative coordinates).
    const TRectI left{-1024, 0, 0, 768};
    const TRectI r = PlaceSuggestList({-1100, 700, -980, 720}, 260, 150, left);
    EXPECT_EQ(r.Left, -1024);
    EXPECT_EQ(r.Bottom, 700);
    // Degenerate sizes keep a valid rectangle.
    const TRectI empty = PlaceSuggestList({100, 30, 220, 50}, 0, -5, Work);
    EXPECT_EQ(empty.Right - empty.Left, 1);
    EXPECT_EQ(empty.Bottom, empty.Top);
}

TEST(SuggestWalk, DownAndUpOverTheRowsAndBackToTheTypedText) {
    int row = SuggestTypedText;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) seen.push_back(row = NextSuggestRow(row, 3, true));
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 2}));
    seen.clear();
    for (int i = 0; i < 4; ++i) seen.push_back(row = NextSuggestRow(row, 3, false));
    EXPECT_EQ(seen, (std::vector<int>{1, 0, SuggestTypedText, SuggestTypedText}));
    // No rows, or a highlight left over from a longer list.
    EXPECT_EQ(NextSuggestRow(0, 0, true), SuggestTypedText);
    EXPECT_EQ(NextSuggestRow(7, 3, true), 0);
}

TEST(SuggestWalk, StressesWhatFollowsTheTypedText) {
    EXPECT_EQ(SuggestStressFrom(u"北京天气", u"北京"), 2u);
    EXPECT_EQ(SuggestStressFrom(u"Beijing", u"bei"), 3u);
    EXPECT_EQ(SuggestStressFrom(u"北京", u"北京"), 2u);  // nothing stressed
    EXPECT_EQ(SuggestStressFrom(u"天气北京", u"北京"), 0u);
    EXPECT_EQ(SuggestStressFrom(u"北", u"北京"), 0u);
    EXPECT_EQ(SuggestStressFrom(u"北京", u""), 0u);
}

TStoredValue Dword(const std::uint8_t (&bytes)[4], std::uint32_t type = RegTypeDword) {
    return TStoredValue{true, type, 4, bytes};
}

TEST(SuggestSettings, OnOnlyForADwordOfOneAndWrittenOnlyWhenSwitched) {
    static const std::uint8_t one[4] = {1, 0, 0, 0}, two[4] = {2, 0, 0, 0}, high[4] = {1, 0, 0, 1};
    TConfig cfg;
    EXPECT_FALSE(cfg.Suggest());
    cfg.ApplyStoredSuggest(Dword(one), {});
    EXPECT_TRUE(cfg.Suggest());
    EXPECT_FALSE(cfg.SuggestValueToSave());  // unchanged: not written
    cfg.SetSuggest(false);
    EXPECT_EQ(cfg.SuggestValueToSave(), 0u);
    for (const TStoredValue& off :
         {Dword(two), Dword(high), Dword(one, RegTypeBinary), TStoredValue{true, RegTypeDword, 2, one},
          TStoredValue{true, RegTypeDword, 8, nullptr}, TStoredValue{}}) {
        cfg.ApplyStoredSuggest(off, {});
        EXPECT_FALSE(cfg.Suggest());
        EXPECT_FALSE(cfg.SuggestValueToSave());  // a value of 2 stays 2
    }
    cfg.SetSuggest(true);
    EXPECT_EQ(cfg.SuggestValueToSave(), 1u);
    cfg.ApplyMissingKey();
    EXPECT_FALSE(cfg.Suggest());
}

TEST(SuggestSettings, TheAddressUpToItsTerminatorFromAStringOnly) {
    const std::u16string url = u"http://127.0.0.1:8080/s?q=";
    std::vector<std::uint8_t> bytes;
    for (char16_t u : url + u'\0' + u"junk") {
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    TConfig cfg;
    cfg.ApplyStoredSuggest({}, TStoredValue{true, RegTypeSz, bytes.size(), bytes.data()});
    EXPECT_EQ(cfg.SuggestUrl(), url);
    cfg.ApplyStoredSuggest({}, TStoredValue{true, RegTypeBinary, bytes.size(), bytes.data()});
    EXPECT_EQ(cfg.SuggestUrl(), u"");
    cfg.ApplyStoredSuggest({}, TStoredValue{true, RegTypeSz, SuggestUrlMaxBytes + 2, nullptr});
    EXPECT_EQ(cfg.SuggestUrl(), u"");
    // An odd byte at the end is no unit.
    cfg.ApplyStoredSuggest({}, TStoredValue{true, RegTypeSz, 3, bytes.data()});
    EXPECT_EQ(cfg.SuggestUrl(), u"h");
}

}  // namespace
}  // namespace quorvex
