// Suggestions as the user types: the request URL and its source, the service's
// reply in either format and charset (glibc's GBK as the oracle), and the
// list's rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_engine.h"
#include "search/suggest_reply.h"
#include "search/suggest_rows.h"
#include "search/suggest_url.h"
#include "search/user_engines.h"
#include "support/iconv_gbk.h"

namespace quorvex {
namespace {

using namespace std::literals;
using Texts = std::vector<std::u16string>;
const std::string Prefix = "https://suggestion.baidu.com/su?ie=utf-8&json=1&wd=";

class SuggestUrl : public ::testing::Test {
protected:
    SuggestUrl() { engines.FillFromDefs(); }
    const TSearchEngine& First() const { return engines.Items(0); }
    std::optional<std::string> Url(std::u16string_view text, std::u16string_view overrideUrl = u"") const {
        const auto source = ChooseSuggestSource(First(), overrideUrl);
        if (!source) return std::nullopt;
        return BuildSuggestUrl(*source, text);
    }
    TSearchEngines engines;
};

TEST_F(SuggestUrl, DefaultSourceSendsTheTextAsEscapedUtf8) {
    EXPECT_EQ(DefaultSuggestSource().Url, Prefix);
    EXPECT_EQ(DefaultSuggestSource().Format, TSuggestFormat::ServiceWrapper);
    EXPECT_EQ(Url(u"北京"), Prefix + "%E5%8C%97%E4%BA%AC");
    EXPECT_EQ(Url(u"a b&c"), Prefix + "%61+%62%26%63");
    EXPECT_EQ(Url(u"\U0001F600"), Prefix + "%F0%9F%98%80");
    EXPECT_EQ(Url(std::u16string(u"a") + char16_t{0xD800}), Prefix + "%61%EF%BF%BD");
    for (const char16_t* blank : {u"", u" ", u"\t \r\n"}) EXPECT_EQ(Url(blank), std::nullopt);
}

TEST_F(SuggestUrl, OnlyAWebOverrideReplacesTheEnginesSource) {
    EXPECT_EQ(Url(u"ab", u"http://127.0.0.1:8080/s?q="), "http://127.0.0.1:8080/s?q=%61%62");
    EXPECT_EQ(Url(u"ab", u"HTTPS://例.cn/?a b="), "HTTPS://%E4%BE%8B.cn/?a%20b=%61%62");
    for (std::u16string_view ignored : {u"ftp://x/?q="sv, u"javascript:alert(1)//"sv, u"http://"sv, u"https:///s?q="sv,
                                        u" https://x/?q="sv, u"https://x/?q=\t"sv, u"https://x/\0"sv}) {
        EXPECT_EQ(Url(u"ab", ignored), Prefix + "%61%62") << ignored.size();
    }
    // An engine without a source asks nothing unless the override names one.
    TSearchEngine plain;
    EXPECT_EQ(ChooseSuggestSource(plain, u""), std::nullopt);
    EXPECT_EQ(ChooseSuggestSource(plain, u"file:///c:/x"), std::nullopt);
    EXPECT_EQ(ChooseSuggestSource(plain, u"https://x/?q=")->Url, "https://x/?q=");
    EXPECT_EQ(BuildSuggestUrl({"about:blank?q=", TSuggestFormat::OpenSearch}, u"ab"), std::nullopt);
}

TEST_F(SuggestUrl, TextIsCutAsQueriesAre) {
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += "%61";
    EXPECT_EQ(Url(std::u16string(150, u'a')), Prefix + hundred);
    // A pair across the limit goes whole or not at all.
    const std::u16string pair = std::u16string(99, u'a') + u"\U0001F600";
    EXPECT_EQ(Url(pair), Prefix + hundred.substr(0, 99 * 3));
    // A long prefix leaves the text less room: whole characters are dropped.
    const std::u16string longPrefix = u"https://x/" + std::u16string(980, u'p');
    const auto url = Url(u"ab中", longPrefix);
    ASSERT_TRUE(url.has_value());
    EXPECT_EQ(url->substr(990), "%61%62");
    EXPECT_EQ(Url(u"ab", u"https://x/" + std::u16string(990, u'p')), std::nullopt);
    // What each request carried, so its reply's echo can be checked against it.
    EXPECT_EQ(SuggestTextSent(*url, u"ab中"), u"ab");
    EXPECT_EQ(SuggestTextSent(*Url(std::u16string(150, u'a')), std::u16string(150, u'a')), std::u16string(100, u'a'));
    EXPECT_EQ(SuggestTextSent(*Url(pair), pair), std::u16string(99, u'a'));
    EXPECT_EQ(SuggestTextSent(*Url(u"北京 x"), u"北京 x"), u"北京 x");
}

class SuggestReply : public ::testing::Test {
protected:
    std::optional<TSuggestReply> Parse(std::string_view body, std::string_view type = "") const {
        return ParseSuggestReply(body, type, codec);
    }
    std::string Gbk(std::u16string_view text) const { return *codec.ToGbkExact(text); }
    oracle::IconvGbk codec;
};

TEST_F(SuggestReply, ReadsBothFormatsInEveryCharset) {
    const auto wrapped = Parse(R"(window.baidu.sug({"q":"北京","p":false,"s":["北京天气","北京时间"]});)",
                               "text/javascript; charset=utf-8");
    ASSERT_TRUE(wrapped.has_value());
    EXPECT_EQ(wrapped->Echo, u"北京");
    EXPECT_EQ(wrapped->Items, (Texts{u"北京天气", u"北京时间"}));

    const std::string gbkBody = "window.baidu.sug({\"q\":\"" + Gbk(u"北京") + "\",\"s\":[\"" + Gbk(u"北京天气") +
                                "\",\"" + Gbk(u"乗") + "\"]})\r\n";  // 乗 ends in 0x5C, a backslash in ASCII
    for (const char* type : {"", "text/javascript", "text/javascript;charset=GBK", "text/html; Charset=\"gb2312\"",
                             "text/plain; format=x; charset=GB18030"}) {
        const auto reply = Parse(gbkBody, type);
        ASSERT_TRUE(reply.has_value()) << type;
        EXPECT_EQ(reply->Echo, u"北京");
        EXPECT_EQ(reply->Items, (Texts{u"北京天气", u"乗"}));
    }

    const auto open = Parse("\xEF\xBB\xBF[\"ab\",[\"abc\",\"\\u5317\\uD83D\\uDE00\"],[\"d1\",\"d2\"],{\"x\":1}]",
                            "application/x-suggestions+json; charset=UTF-8");
    ASSERT_TRUE(open.has_value());
    EXPECT_EQ(open->Echo, u"ab");
    EXPECT_EQ(open->Items, (Texts{u"abc", u"北\U0001F600"}));
    EXPECT_EQ(Parse(R"(["ab",[]])", "application/json; charset=utf8")->Items, Texts{});
}

TEST_F(SuggestReply, CharsetComesFromTheContentType) {
    EXPECT_EQ(ReplyCharset(""), TReplyCharset::Gbk);
    EXPECT_EQ(ReplyCharset("text/javascript"), TReplyCharset::Gbk);
    EXPECT_EQ(ReplyCharset("text/javascript; charset="), TReplyCharset::Gbk);
    EXPECT_EQ(ReplyCharset("text/javascript; CHARSET = utf-8 "), TReplyCharset::Utf8);
    EXPECT_EQ(ReplyCharset("text/javascript; q=1; charset=gbk"), TReplyCharset::Gbk);
    EXPECT_EQ(ReplyCharset("text/javascript; charset=iso-8859-1"), TReplyCharset::Unknown);
    EXPECT_EQ(ReplyCharset("text/javascript; charset=big5"), TReplyCharset::Unknown);
    EXPECT_EQ(Parse(R"(["a",["b"]])", "text/plain; charset=iso-8859-1"), std::nullopt);
}

TEST_F(SuggestReply, WronglyEncodedRepliesGiveNothing) {
    EXPECT_EQ(Parse("[\"" + Gbk(u"北京") + "\",[]]", "text/javascript; charset=utf-8"), std::nullopt);
    EXPECT_EQ(Parse("[\"中\",[]]", "text/javascript; charset=gbk"), std::nullopt);  // UTF-8 as GBK: AD 22
    for (const char* bad : {"[\"\xC0\xAF\",[]]", "[\"\xED\xA0\x80\",[]]", "[\"\xF4\x90\x80\x80\",[]]",
                            "[\"a\",[\"\xE4\xB8\"]]", "[\"a\xFF\",[]]"})
        EXPECT_EQ(Parse(bad, "text/javascript; charset=utf-8"), std::nullopt);
    for (const char* bad : {"[\"\x81\x30\x81\x30\",[]]", "[\"\x80\",[]]", "[\"a\",[]]\xB1"})
        EXPECT_EQ(Parse(bad), std::nullopt);
    EXPECT_EQ(Parse(R"(["\uD800",["a"]])", "text/plain; charset=utf-8"), std::nullopt);  // a lone surrogate escape
}

TEST_F(SuggestReply, BadRepliesGiveNothing) {
    const std::string valid = R"(window.baidu.sug({"q":"a","p":false,"s":["ab","ac"]}))";
    ASSERT_TRUE(Parse(valid).has_value());
    for (std::size_t n = 0; n < valid.size(); ++n) EXPECT_EQ(Parse(valid.substr(0, n)), std::nullopt) << n;
    const std::string open = R"(["a",["ab","ac"]])";
    for (std::size_t n = 0; n < open.size(); ++n) EXPECT_EQ(Parse(open.substr(0, n)), std::nullopt) << n;

    for (const char* bad : {"",
                            "null",
                            "[]",
                            R"(["a"])",
                            R"([1,["b"]])",
                            R"(["a","b"])",
                            R"(["a",{"s":"b"}])",
                            R"(["a",["b",]])",
                            R"(["a",["b"]] x)",
                            R"(["a",["b"]];)",
                            R"({"q":"a","s":["b"]})",
                            R"(window.baidu.sug(["a",["b"]]))",
                            R"(window.baidu.sug({"q":"a","s":["b"]});;)",
                            R"(callback({"q":"a","s":["b"]}))",
                            R"(window.baidu.sug({"q":"a"}))",
                            R"(window.baidu.sug({"s":["b"]}))",
                            R"(window.baidu.sug({"q":1,"s":["b"]}))",
                            R"(window.baidu.sug({"q":"a","s":"b"}))",
                            R"(["a",["b",1]])",
                            R"(["a",["b",null]])",
                            R"(["a",["b",["c"]]])",
                            R"(["a",["b",{"t":"c"}]])",
                            R"(["a",["1","2","3","4","5","6","7","8","9","10","11",false]])"})
        EXPECT_EQ(Parse(bad), std::nullopt) << bad;
    EXPECT_EQ(Parse(std::string(R"(["a",["b"]))") + '\0' + "]"), std::nullopt);
    EXPECT_EQ(Parse(std::string(40000, '[') + std::string(40000, ']')), std::nullopt);  // too large, and deep
    EXPECT_EQ(Parse(std::string(30000, '[') + std::string(30000, ']')), std::nullopt);  // deep: wrong structure
}

TEST_F(SuggestReply, SizeLimitIs64KiB) {
    const std::string head = R"(["a",["b"]])";
    const std::string fits = head + std::string(SuggestReplyMaxBytes - head.size(), ' ');
    ASSERT_EQ(fits.size(), 65536u);
    EXPECT_TRUE(Parse(fits).has_value());
    EXPECT_EQ(Parse(fits + " "), std::nullopt);
}

TEST_F(SuggestReply, ItemsAreCleanedCutAndCounted) {
    const std::string long150(150, 'x');
    const std::string emojiAcross = std::string(99, 'y') + "\xF0\x9F\x98\x80";
    const auto reply = Parse("[\"a\",[\"\",\"  \",\"\\u0001\",\"a\\u0001b\\tc\\n\\u007F\\u0085d\",\"" + long150 +
                                 "\",\"" + emojiAcross + "\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"11\"]]",
                             "text/plain; charset=utf-8");
    ASSERT_TRUE(reply.has_value());
    ASSERT_EQ(reply->Items.size(), 10u);
    EXPECT_EQ(reply->Items[0], u"abcd");
    EXPECT_EQ(reply->Items[1], std::u16string(100, u'x'));
    EXPECT_EQ(reply->Items[2], std::u16string(99, u'y'));
    EXPECT_EQ(reply->Items[9], u"9");
}

TEST_F(SuggestReply, StaleRepliesAreUsedOnlyWhenTheCallerSaysSo) {
    const auto reply = Parse(R"(["Abc ",["abcd"]])");
    ASSERT_TRUE(reply.has_value());
    EXPECT_TRUE(ReplyIsFor(*reply, u"aBC"));
    EXPECT_FALSE(ReplyIsFor(*reply, u"ab"));
    EXPECT_EQ(UsableSuggestions(*reply, u"abc", false), Texts{u"abcd"});
    EXPECT_EQ(UsableSuggestions(*reply, u"abx", false), Texts{});
    EXPECT_EQ(UsableSuggestions(*reply, u"abx", true), Texts{u"abcd"});
    const auto accented = Parse(R"(["É",["x"]])", "text/plain; charset=utf-8");
    EXPECT_TRUE(ReplyIsFor(*accented, u"É"));
    EXPECT_FALSE(ReplyIsFor(*accented, u"é"));  // only ASCII letters fold
    // The echo of a text longer than the box's limit is the cut text.
    const auto cut = Parse("[\"" + std::string(100, 'a') + "\",[\"b\"]]");
    EXPECT_TRUE(ReplyIsFor(*cut, std::u16string(120, u'a')));
}

TEST(SuggestRows, HistoryMatchesFirstThenNewSuggestions) {
    const Texts history{u"北京天气", u"上海", u"北京大学", u"Beijing", u"北京", u"北京西站"};
    const auto rows = SuggestRows(u"北京", history, {u"北京天气", u"北京时间", u"北京时间", u"北京地图"});
    ASSERT_EQ(rows.size(), 5u);
    const Texts expected{u"北京天气", u"北京大学", u"北京", u"北京时间", u"北京地图"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Text, expected[i]);
        EXPECT_EQ(rows[i].FromHistory, i < 3);
    }
    const auto ascii = SuggestRows(u"be", {u"BEIJING", u"bend", u"ébé"}, {u"Beijing", u"beta"});
    ASSERT_EQ(ascii.size(), 3u);
    EXPECT_EQ(ascii[0].Text, u"BEIJING");
    EXPECT_EQ(ascii[1].Text, u"bend");
    EXPECT_EQ(ascii[2].Text, u"beta");
}

TEST(SuggestRows, AtMostTenSuggestionsAndNothingForBlankText) {
    Texts many;
    for (int i = 0; i < 12; ++i) many.push_back(u"q" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
    const auto rows = SuggestRows(u"q", {u"qa"}, many);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_TRUE(rows[0].FromHistory);
    EXPECT_EQ(rows[1].Text, u"qb");
    EXPECT_EQ(rows[10].Text, u"qk");
    for (const char16_t* blank : {u"", u"  ", u"\t"}) EXPECT_TRUE(SuggestRows(blank, {u" x"}, {u"y"}).empty());
    EXPECT_TRUE(SuggestRows(u"zz", {u"qa"}, {}).empty());
}

}  // namespace
}  // namespace quorvex
