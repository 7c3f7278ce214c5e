// Search URLs for queries as typed: GBK when it holds the text exactly, UTF-8
// with the encoding parameter otherwise. glibc's own GBK tables are the oracle.
#include <gtest/gtest.h>

#include <algorithm>

#include "search/query_limit.h"
#include "search/query_url.h"
#include "search/search_engine.h"
#include "search/search_types.h"
#include "support/iconv_gbk.h"

namespace quorvex {
namespace {

using oracle::IconvGbk;

class QueryUrl : public ::testing::Test {
protected:
    QueryUrl() { engines.FillFromDefs(); }
    std::optional<std::string> Url(std::string_view key, std::u16string_view q) const {
        return BuildQueryUrl(*engines.CurrentEngine(), key, q, codec);
    }
    TSearchEngines engines;
    IconvGbk codec;
};

const std::string Web = "http://www.baidu.com/baidu?tn=sitekvtq&word=";

TEST_F(QueryUrl, GbkExactQueriesKeepTheirGbkUrl) {
    EXPECT_EQ(Url("Web", u"我爱北京"), Web + "%CE%D2%B0%AE%B1%B1%BE%A9");
    EXPECT_EQ(Url("Web", u"a b"), Web + "%61+%62");
    EXPECT_EQ(Url("Book", u"abc"), "http://www.baidu.com/baidu?tn=sitekvtq&word=%CD%BC%CA%E9%20%A1%B6%61%62%63%A1%B7");
    EXPECT_EQ(Url("Web", u"   "), std::nullopt);
    EXPECT_EQ(Url("Nothing", u"abc"), std::nullopt);
}

TEST_F(QueryUrl, OtherQueriesGoAsUtf8WithTheEncodingParameter) {
    EXPECT_EQ(Url("Web", u"我爱\U0001F600北京"), Web + "%E6%88%91%E7%88%B1%F0%9F%98%80%E5%8C%97%E4%BA%AC&ie=utf-8");
    EXPECT_EQ(Url("Web", u"한국어"), Web + "%ED%95%9C%EA%B5%AD%EC%96%B4&ie=utf-8");
    EXPECT_EQ(Url("Web", u"\U00020000"), Web + "%F0%A0%80%80&ie=utf-8");  // CJK Extension B
    // Traps of best-fit tables: no-break space and a leading byte-order mark.
    EXPECT_EQ(Url("Web", u"a\u00A0b"), Web + "%61%C2%A0%62&ie=utf-8");
    EXPECT_EQ(Url("Web", u"\uFEFFabc"), Web + "%EF%BB%BF%61%62%63&ie=utf-8");
    // A language tag, which a converter may drop without a word: GBK does not hold it.
    EXPECT_EQ(Url("Web", u"a\U000E0001b"), Web + "%61%F3%A0%80%81%62&ie=utf-8");
    EXPECT_EQ(Url("Web", u"\U000E0000"), Web + "%F3%A0%80%80&ie=utf-8");
    // A lone surrogate has no UTF-8 form: it is sent as U+FFFD.
    EXPECT_EQ(Url("Web", std::u16string(u"a") + char16_t{0xD83D} + u"b"), Web + "%61%EF%BF%BD%62&ie=utf-8");
    EXPECT_EQ(Url("Nothing", u"한"), std::nullopt);
}

TEST_F(QueryUrl, TemplateWordsAndEncodingNameFollowTheQuery) {
    // The book template's own words (图书 《 … 》) go as UTF-8 too.
    EXPECT_EQ(Url("Book", u"한"),
              "http://www.baidu.com/baidu?tn=sitekvtq&word=%E5%9B%BE%E4%B9%A6%20%E3%80%8A%ED%95%9C%E3%80%8B&ie=utf-8");
    // The dictionary template names its encoding: that name changes, none is added.
    EXPECT_EQ(Url("Dictionary", u"한"), "http://www.baidu.com/s?lm=0&si=&rn=10&ie=utf-8&ct=1048576&wd=%ED%95%9C");
    // Every category gives an absolute URL with exactly one encoding parameter.
    for (const char* key :
         {"Web", "MP3", "Lyric", "Photo", "News", "PostBar", "Dictionary", "Book", "Movie", "Game", "Software"}) {
        const auto url = Url(key, u"\U0001F600");
        ASSERT_TRUE(url.has_value()) << key;
        EXPECT_NE(url->find("%F0%9F%98%80"), std::string::npos) << key;
        EXPECT_EQ(url->find("ie="), url->rfind("ie=")) << key;
        EXPECT_NE(url->find("ie=utf-8"), std::string::npos) << key;
        EXPECT_EQ(url->find("%A1"), std::string::npos) << key;  // no GBK bytes left
    }
}

TEST_F(QueryUrl, SentByteLengthCountsGbkOrElseUtf8) {
    EXPECT_EQ(SentByteLength(u"", codec), 0u);
    EXPECT_EQ(SentByteLength(u"中文ab", codec), 6u);                   // GBK: two bytes a character
    EXPECT_EQ(SentByteLength(std::u16string(16, u'中'), codec), 32u);  // just inside the clipboard limit
    EXPECT_EQ(SentByteLength(u"中文😀", codec), 10u);                   // UTF-8: 3 + 3 + 4
    EXPECT_EQ(SentByteLength(std::u16string(10, u'한') + u"ab", codec), 32u);
    EXPECT_EQ(SentByteLength(std::u16string(11, u'한'), codec), 33u);
}

// Wine's shell faults on a URL of 1,000 characters or more (995 still opens);
// the box's limit keeps the longest URL any category makes below that. The
// longest per unit is a character outside GBK with three UTF-8 bytes (nine
// characters sent), as is a lone surrogate sent as U+FFFD.
TEST_F(QueryUrl, TheLongestQueryTheBarSearchesStaysBelowWhatWinesShellOpens) {
    const std::u16string longest[] = {std::u16string(QueryMaxUnits, u'\uD55C'),
                                      std::u16string(QueryMaxUnits, char16_t{0xDC00}),
                                      std::u16string(QueryMaxUnits, u'\u4E2D')};
    std::size_t worst = 0;
    for (const TSearchTypeDef& type : SearchTypes) {
        for (const auto& q : longest) {
            const auto url = Url(type.Key, q);
            ASSERT_TRUE(url.has_value()) << type.Key;
            worst = std::max(worst, url->size());
        }
    }
    EXPECT_GT(worst, 900u);  // the three-byte case was measured
    EXPECT_LT(worst, 1000u);
}

TEST(Utf16ToUtf8, EncodesEveryPlaneAndReplacesLoneSurrogates) {
    EXPECT_EQ(Utf16ToUtf8(u"A\u00E9\u4E2D\U0001F600"), "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xDC00})), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800}) + u"x"), "\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace quorvex
