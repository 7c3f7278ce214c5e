// The category table, the built-in engine, and query encoding.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/error.h"

#include "search/query_encoding.h"
#include "search/query_limit.h"
#include "search/search_engine.h"
#include "search/search_types.h"

namespace quorvex {
namespace {

TEST(SearchTypesTable, HoldsTheElevenCategoriesInOrder) {
    const char* keys[] = {"Web", "MP3", "Lyric", "Photo", "News", "PostBar",
                          "Dictionary", "Book", "Movie", "Game", "Software"};
    const char* captions[] = {"网页", "MP3", "歌词", "图片", "新闻", "贴吧",
                              "词典", "图书", "电影", "游戏", "软件"};
    ASSERT_EQ(SearchTypes.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(SearchTypes[i].Id, i);
        EXPECT_STREQ(SearchTypes[i].Key, keys[i]);
        EXPECT_STREQ(SearchTypes[i].Caption, captions[i]);
        EXPECT_EQ(SearchTypes[i].Bit, 1 << i);
        EXPECT_EQ(std::string(SearchButtonName(i)), std::string("btn") + keys[i]);
        EXPECT_EQ(std::string(SearchMenuItemName(i)), std::string("mi") + keys[i]);
    }
    EXPECT_EQ(AltLetter(0), 'A');
    EXPECT_EQ(AltLetter(10), 'K');
    EXPECT_THROW(SearchButtonName(11), RangeError);
}

TEST(SearchTypesTable, MaskMembership) {
    for (const auto& t : SearchTypes) {
        EXPECT_TRUE(MaskContains(AllButtonsMask, t.Bit));
        EXPECT_FALSE(MaskContains(0, t.Bit));
    }
    EXPECT_EQ(AllButtonsMask, 2047);
}

TEST(SearchEngineDefsTable, OneEngineWithTheServicesUrls) {
    ASSERT_EQ(SearchEngineDefs.size(), 1u);
    const auto& e = SearchEngineDefs[0];
    EXPECT_STREQ(e.Name, "百度");
    EXPECT_STREQ(e.URLPrefix[0], "http://www.baidu.com/baidu?tn=sitekvtq&word=");
    EXPECT_STREQ(e.URLPrefix[1], "http://mp3.baidu.com/m?lm=-1&rn=&tn=baidump3&ct=134217728&word=");
    EXPECT_STREQ(e.URLPrefix[2], "http://mp3.baidu.com/m?lm=-1&rn=10&tn=baidump3lyric&ct=150994944&word=");
    EXPECT_STREQ(e.URLPrefix[3], "http://image.baidu.com/i?ct=201326592&cl=2&lm=-1&tn=baiduimage&word=");
    EXPECT_STREQ(e.URLPrefix[4], "http://news.baidu.com/ns?cl=0&rn=30&tn=news&word=");
    EXPECT_STREQ(e.URLPrefix[5], "http://tieba.baidu.com/f?cb=sitekvtq&kw=");
    EXPECT_STREQ(e.URLPrefix[6], "http://www.baidu.com/s?lm=0&si=&rn=10&ie=gb2312&ct=1048576&wd=");
    EXPECT_STREQ(e.URLPrefix[7], "http://www.baidu.com/baidu?tn=sitekvtq&word=%CD%BC%CA%E9%20%A1%B6");
    EXPECT_STREQ(e.URLPrefix[8], "http://www.baidu.com/baidu?tn=sitekvtq&word=%B5%E7%D3%B0%20%A1%B6");
    EXPECT_STREQ(e.URLPrefix[9], "http://www.baidu.com/baidu?tn=sitekvtq&word=%D3%CE%CF%B7%20%A1%B6");
    EXPECT_STREQ(e.URLPrefix[10], "http://www.baidu.com/baidu?tn=sitekvtq&word=%C8%ED%BC%FE%20");
    for (int i = 0; i < 11; ++i) {
        const bool marked = i >= 7 && i <= 9;
        EXPECT_STREQ(e.URLSuffix[i], marked ? "%A1%B7" : "") << i;
    }
}

// Decoder written independently of the encoder, for the round trip.
std::string DecodeQuery(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '+') {
            out += ' ';
            ++i;
        } else {
            EXPECT_EQ(s[i], '%');
            EXPECT_LE(i + 2, s.size() - 1);
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 3;
        }
    }
    return out;
}

TEST(EncodeQuery, EncodesEveryByteAndSpacesAsPlus) {
    EXPECT_EQ(EncodeQuery(""), "");
    EXPECT_EQ(EncodeQuery("abc"), "%61%62%63");
    EXPECT_EQ(EncodeQuery("a b"), "%61+%62");
    EXPECT_EQ(EncodeQuery("\t"), "%09");
    EXPECT_EQ(EncodeQuery("\xD6\xD0"), "%D6%D0");
    EXPECT_EQ(EncodeQuery("+%"), "%2B%25");
    EXPECT_EQ(EncodeQuery("\xAB"), "%AB");
    EXPECT_EQ(EncodeQuery(std::string(100, 'x')).size(), 300u);
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string enc = EncodeQuery(one);
        EXPECT_EQ(enc.size(), b == 0x20 ? 1u : 3u);
        EXPECT_EQ(DecodeQuery(enc), one) << b;
        for (char c : enc) EXPECT_TRUE(c == '+' || c == '%' || isdigit(c) || (c >= 'A' && c <= 'F'));
    }
}

TEST(EncodeQuery, RandomByteStringsRoundTrip) {
    std::mt19937 rng(20261208);
    for (int n = 0; n < 5000; ++n) {
        std::string s(rng() % 120, '\0');
        for (char& c : s) c = static_cast<char>(rng() & 0xFF);
        const std::string enc = EncodeQuery(s);
        std::size_t spaces = std::count(s.begin(), s.end(), ' ');
        ASSERT_EQ(enc.size(), spaces + 3 * (s.size() - spaces));
        ASSERT_EQ(DecodeQuery(enc), s);
    }
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { engines.FillFromDefs(); }
    TSearchEngines engines;
};

TEST_F(EngineTest, FillingBuildsOneCurrentEngineWithElevenEntries) {
    ASSERT_EQ(engines.Count(), 1);
    ASSERT_EQ(engines.CurrentEngine(), &engines.Items(0));
    const TSearchEngine& e = engines.Items(0);
    EXPECT_EQ(e.Name, "百度");
    ASSERT_EQ(e.URLs.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(e.URLs[i].Key, SearchTypes[i].Key);
        EXPECT_EQ(e.URLs[i].Prefix, SearchEngineDefs[0].URLPrefix[i]);
        EXPECT_EQ(e.URLs[i].Suffix, SearchEngineDefs[0].URLSuffix[i]);
    }
    EXPECT_THROW(engines.Items(1), RangeError);
}

TEST_F(EngineTest, FindUrlIgnoresAsciiCaseAndTakesTheFirstMatch) {
    std::string prefix = "x", suffix = "y";
    for (const char* key : {"Web", "web", "WEB", "wEb"}) {
        engines.CurrentEngine()->FindURL(key, prefix, suffix);
        EXPECT_EQ(prefix, SearchEngineDefs[0].URLPrefix[0]);
        EXPECT_EQ(suffix, "");
    }
    engines.CurrentEngine()->FindURL("", prefix, suffix);
    EXPECT_EQ(prefix, "");
    EXPECT_EQ(suffix, "");
    TSearchEngine e;
    e.AddURL("K", "first", "1");
    e.AddURL("k", "second", "2");
    e.FindURL("K", prefix, suffix);
    EXPECT_EQ(prefix, "first");
    EXPECT_EQ(suffix, "1");
}

TEST_F(EngineTest, SelectEngineKeepsTheCurrentOneWithoutAMatch) {
    TSearchEngine& other = engines.Add();
    other.Name = "Other";
    engines.SelectEngine("nobody");
    EXPECT_EQ(engines.CurrentEngine(), &engines.Items(0));
    engines.SelectEngine("OTHER");
    EXPECT_EQ(engines.CurrentEngine(), &other);
    TSearchEngines empty;
    empty.SelectEngine("百度");
    EXPECT_EQ(empty.CurrentEngine(), nullptr);
}

TEST_F(EngineTest, SearchUrls) {
    const TSearchEngine& e = *engines.CurrentEngine();
    EXPECT_EQ(BuildSearchUrl(e, "Book", "abc"),
              "http://www.baidu.com/baidu?tn=sitekvtq&word=%CD%BC%CA%E9%20%A1%B6%61%62%63%A1%B7");
    EXPECT_EQ(BuildSearchUrl(e, "Web", " abc "), "http://www.baidu.com/baidu?tn=sitekvtq&word=+%61%62%63+");
    EXPECT_EQ(BuildSearchUrl(e, "Web", "   "), std::nullopt);
    EXPECT_EQ(BuildSearchUrl(e, "Web", "\x01\x1F "), std::nullopt);
    EXPECT_EQ(BuildSearchUrl(e, "Web", ""), std::nullopt);
    // An unknown key would leave a bare encoded query: never handed to the shell.
    EXPECT_EQ(BuildSearchUrl(e, "Nothing", "abc"), std::nullopt);
    EXPECT_EQ(BuildSearchUrl(e, "Dictionary", "\xD6\xD0"),
              "http://www.baidu.com/s?lm=0&si=&rn=10&ie=gb2312&ct=1048576&wd=%D6%D0");
}

TEST(QueryCutLength, CutsAtTheBoxLimitWithoutSplittingAPair) {
    const std::u16string ascii(330, u'a');
    EXPECT_EQ(QueryCutLength(std::u16string_view(ascii)), QueryMaxUnits);
    EXPECT_EQ(QueryCutLength(std::u16string_view(ascii).substr(0, 100)), 100u);
    EXPECT_EQ(QueryCutLength(std::u16string_view(ascii).substr(0, 99)), 99u);
    EXPECT_EQ(QueryCutLength(std::u16string_view(u"")), 0u);
    EXPECT_EQ(QueryCutLength(std::u16string_view(ascii), 0), 0u);

    // U+1F600 as units 100 and 101: the pair is dropped whole.
    std::u16string pairAcross(99, u'a');
    pairAcross += u"\U0001F600b";
    EXPECT_EQ(QueryCutLength(std::u16string_view(pairAcross)), 99u);
    // The pair as units 99 and 100 fits exactly.
    std::u16string pairInside(98, u'a');
    pairInside += u"\U0001F600bc";
    EXPECT_EQ(QueryCutLength(std::u16string_view(pairInside)), 100u);
    // A lone high surrogate at the limit followed by a plain unit is not a pair.
    std::u16string lone(99, u'a');
    lone += char16_t{0xD800};
    lone += u'z';
    EXPECT_EQ(QueryCutLength(std::u16string_view(lone)), 100u);
}

}  // namespace
}  // namespace quorvex
