// The categories as the user and the service see them, the built-in engine,
// and query encoding.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <random>

#include "base/error.h"

#include "bar/hints.h"
#include "search/query_encoding.h"
#include "search/query_limit.h"
#include "search/search_engine.h"
#include "search/search_types.h"

namespace quorvex {
namespace {

// What each category is to the user and to the service: its button and menu
// item, the hint with its Alt letter, and the URL a search for "abc" opens.
struct CategorySeen {
    const char* button;
    const char* menuItem;
    const char* hint;
    const char* url;
};
const CategorySeen Categories[] = {
    {"btnWeb", "miWeb", "网页搜索，快捷键 Alt + A", "http://www.baidu.com/baidu?tn=sitekvtq&word=%61%62%63"},
    {"btnMP3", "miMP3", "MP3搜索，快捷键 Alt + B",
     "http://mp3.baidu.com/m?lm=-1&rn=&tn=baidump3&ct=134217728&word=%61%62%63"},
    {"btnLyric", "miLyric", "歌词搜索，快捷键 Alt + C",
     "http://mp3.baidu.com/m?lm=-1&rn=10&tn=baidump3lyric&ct=150994944&word=%61%62%63"},
    {"btnPhoto", "miPhoto", "图片搜索，快捷键 Alt + D",
     "http://image.baidu.com/i?ct=201326592&cl=2&lm=-1&tn=baiduimage&word=%61%62%63"},
    {"btnNews", "miNews", "新闻搜索，快捷键 Alt + E", "http://news.baidu.com/ns?cl=0&rn=30&tn=news&word=%61%62%63"},
    {"btnPostBar", "miPostBar", "贴吧搜索，快捷键 Alt + F", "http://tieba.baidu.com/f?cb=sitekvtq&kw=%61%62%63"},
    {"btnDictionary", "miDictionary", "词典搜索，快捷键 Alt + G",
     "http://www.baidu.com/s?lm=0&si=&rn=10&ie=gb2312&ct=1048576&wd=%61%62%63"},
    {"btnBook", "miBook", "图书搜索，快捷键 Alt + H",
     "http://www.baidu.com/baidu?tn=sitekvtq&word=%CD%BC%CA%E9%20%A1%B6%61%62%63%A1%B7"},
    {"btnMovie", "miMovie", "电影搜索，快捷键 Alt + I",
     "http://www.baidu.com/baidu?tn=sitekvtq&word=%B5%E7%D3%B0%20%A1%B6%61%62%63%A1%B7"},
    {"btnGame", "miGame", "游戏搜索，快捷键 Alt + J",
     "http://www.baidu.com/baidu?tn=sitekvtq&word=%D3%CE%CF%B7%20%A1%B6%61%62%63%A1%B7"},
    {"btnSoftware", "miSoftware", "软件搜索，快捷键 Alt + K",
     "http://www.baidu.com/baidu?tn=sitekvtq&word=%C8%ED%BC%FE%20%61%62%63"},
};

TEST(Categories, EachHasItsButtonHintAndServiceUrl) {
    TSearchEngines engines;
    engines.FillFromDefs();
    const TSearchEngine& engine = *engines.CurrentEngine();
    ASSERT_EQ(SearchTypeCount, 11);
    for (int i = 0; i < SearchTypeCount; ++i) {
        const CategorySeen& c = Categories[i];
        EXPECT_STREQ(SearchButtonName(i), c.button);
        EXPECT_STREQ(SearchMenuItemName(i), c.menuItem);
        EXPECT_EQ(CategoryHint(i), c.hint);
        // The search goes through the category's key, as the bar's buttons do.
        EXPECT_EQ(BuildSearchUrl(engine, SearchTypes[i].Key, "abc"), std::optional<std::string>(c.url)) << c.button;
        // Each category has a mask bit of its own.
        for (int j = 0; j < i; ++j) EXPECT_FALSE(MaskContains(SearchTypes[i].Bit, SearchTypes[j].Bit)) << i << "/" << j;
    }
    EXPECT_THROW(SearchButtonName(SearchTypeCount), RangeError);
}

TEST(Categories, TheAllButtonsMaskHoldsEveryCategoryAndNothingElse) {
    for (const auto& t : SearchTypes) {
        EXPECT_TRUE(MaskContains(AllButtonsMask, t.Bit));
        EXPECT_FALSE(MaskContains(0, t.Bit));
    }
    EXPECT_EQ(AllButtonsMask, 2047);
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

TEST_F(EngineTest, FillingMakesTheFirstEngineCurrentWithElevenEntries) {
    ASSERT_EQ(engines.Count(), BuiltInEngineCount);  // the others: EngineCollection in engines_test
    ASSERT_EQ(engines.CurrentEngine(), &engines.Items(0));
    const TSearchEngine& e = engines.Items(0);
    EXPECT_EQ(e.Name, "百度");
    EXPECT_EQ(e.URLs.size(), 11u);  // what each one opens: Categories.EachHasItsButtonHintAndServiceUrl
    EXPECT_THROW(engines.Items(BuiltInEngineCount), RangeError);
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
