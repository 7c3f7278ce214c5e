// The engine collection: the built-in engines, URLs on each, the first
// engine as the fallback, the user's engines (checks, stored form) and the
// settings' load and save of them.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>
#include <vector>

#include "bar/hints.h"
#include "config/config.h"
#include "search/query_limit.h"
#include "search/query_url.h"
#include "search/search_engine.h"
#include "search/search_types.h"
#include "search/user_engines.h"

namespace quorvex {
namespace {

// glibc's GBK is the oracle for what GBK holds.
class IconvGbk final : public GbkCodec {
public:
    std::optional<std::string> ToGbkExact(std::u16string_view text) const override {
        return Convert("GBK", "UTF-16LE", {reinterpret_cast<const char*>(text.data()), text.size() * 2});
    }
    std::u16string FromGbk(std::string_view gbk) const override {
        const auto wide = Convert("UTF-16LE", "GBK", gbk);
        return wide ? std::u16string(reinterpret_cast<const char16_t*>(wide->data()), wide->size() / 2) : u"?";
    }

private:
    static std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
        iconv_t cd = iconv_open(to, from);
        std::string out(in.size() * 4 + 8, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size(), dstLeft = out.size();
        char* dst = out.data();
        const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        iconv_close(cd);
        if (r != 0) return std::nullopt;
        out.resize(out.size() - dstLeft);
        return out;
    }
};

std::vector<std::string> KeysOf(const TSearchEngine& e) {
    std::vector<std::string> keys;
    for (const TSearchURL& u : e.URLs) keys.push_back(u.Key);
    return keys;
}

std::string PrefixOf(const TSearchEngine& e, const char* key) {
    std::string prefix, suffix;
    e.FindURL(key, prefix, suffix);
    EXPECT_EQ(suffix, "") << e.Name << " " << key;
    return prefix;
}

class EngineCollection : public ::testing::Test {
protected:
    EngineCollection() { engines.FillFromDefs(); }
    const TSearchEngine& Named(const char* name) const { return engines.Items(engines.IndexOf(name)); }
    std::optional<std::string> Url(const char* engine, const char* key, std::u16string_view q) const {
        engines.SelectEngine(engine);
        const TSearchEngine* by = engines.EngineFor(key);
        return by ? BuildQueryUrl(*by, key, q, codec) : std::nullopt;
    }
    mutable TSearchEngines engines;
    IconvGbk codec;
};

TEST_F(EngineCollection, BuiltInEnginesInOrderWithTheirCategoriesAndCharsets) {
    ASSERT_EQ(engines.Count(), 4);
    EXPECT_EQ(engines.Items(0).Name, "百度");
    EXPECT_EQ(engines.Items(1).Name, "必应");
    EXPECT_EQ(engines.Items(2).Name, "搜狗");
    EXPECT_EQ(engines.Items(3).Name, "360搜索");
    EXPECT_EQ(engines.Items(0).Charset, TQueryCharset::Gbk);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(engines.Items(i).Charset, TQueryCharset::Utf8);
        EXPECT_FALSE(engines.Items(i).UserDefined);
    }
    EXPECT_EQ(KeysOf(Named("必应")), (std::vector<std::string>{"Web", "Photo", "News", "Dictionary", "Movie"}));
    EXPECT_EQ(PrefixOf(Named("必应"), "Web"), "https://cn.bing.com/search?q=");
    EXPECT_EQ(PrefixOf(Named("必应"), "Photo"), "https://cn.bing.com/images/search?q=");
    EXPECT_EQ(PrefixOf(Named("必应"), "News"), "https://cn.bing.com/news/search?q=");
    EXPECT_EQ(PrefixOf(Named("必应"), "Dictionary"), "https://cn.bing.com/dict/search?q=");
    EXPECT_EQ(PrefixOf(Named("必应"), "Movie"), "https://cn.bing.com/videos/search?q=");
    EXPECT_EQ(KeysOf(Named("搜狗")), (std::vector<std::string>{"Web", "Photo"}));
    EXPECT_EQ(PrefixOf(Named("搜狗"), "Web"), "https://www.sogou.com/web?ie=utf8&query=");
    EXPECT_EQ(PrefixOf(Named("搜狗"), "Photo"), "https://pic.sogou.com/pics?query=");
    EXPECT_EQ(KeysOf(Named("360搜索")), (std::vector<std::string>{"Web", "Photo", "News"}));
    EXPECT_EQ(PrefixOf(Named("360搜索"), "Web"), "https://www.so.com/s?q=");
    EXPECT_EQ(PrefixOf(Named("360搜索"), "Photo"), "https://image.so.com/i?q=");
    EXPECT_EQ(PrefixOf(Named("360搜索"), "News"), "https://news.so.com/ns?q=");
}

TEST_F(EngineCollection, SelectEngineIgnoresAsciiCaseAndKeepsTheCurrentOneForAnUnknownName) {
    engines.SelectEngine("必应");
    EXPECT_EQ(engines.CurrentEngine()->Name, "必应");
    engines.SelectEngine("");
    engines.SelectEngine("必");
    EXPECT_EQ(engines.CurrentEngine()->Name, "必应");
    TSearchEngine& mine = engines.Add();
    mine.Name = "My Engine";
    engines.SelectEngine("my ENGINE");
    EXPECT_EQ(engines.CurrentEngine(), &mine);
    EXPECT_EQ(engines.IndexOf("MY engine"), 4);
    EXPECT_EQ(engines.IndexOf("nobody"), -1);
    engines.Delete(4);
    EXPECT_EQ(engines.CurrentEngine(), &engines.Items(0)) << "deleting the current engine selects the first";
}

// Every byte as %XX, a space as "+": the same rule as the first engine's, on UTF-8 bytes.
TEST_F(EngineCollection, Utf8EnginesSendTheUtf8BytesOfEveryQuery) {
    const std::string chinese = "%E4%B8%AD%E6%96%87";  // 中文, which GBK holds
    const std::string emoji = "%F0%9F%98%80";
    const std::string marks = "%61+%2B%26%23%25";  // "a +&#%"
    for (int i = 1; i < 4; ++i) {
        const TSearchEngine& e = engines.Items(i);
        for (const TSearchURL& entry : e.URLs) {
            const char* key = entry.Key.c_str();
            const std::string name = e.Name;
            EXPECT_EQ(Url(name.c_str(), key, u"中文"), entry.Prefix + chinese) << name << key;
            EXPECT_EQ(Url(name.c_str(), key, u"\U0001F600"), entry.Prefix + emoji) << name << key;
            EXPECT_EQ(Url(name.c_str(), key, u"a +&#%"), entry.Prefix + marks) << name << key;
        }
    }
    EXPECT_EQ(Url("必应", "Web", u"   "), std::nullopt);
}

TEST_F(EngineCollection, TheFirstEngineKeepsItsGbkUrlsAndSearchesWhatTheCurrentOneLacks) {
    const TSearchEngine& baidu = engines.Items(0);
    for (const TSearchTypeDef& type : SearchTypes) {
        std::string prefix, suffix;
        baidu.FindURL(type.Key, prefix, suffix);
        EXPECT_EQ(Url("百度", type.Key, u"中文 +&#%"), prefix + "%D6%D0%CE%C4+%2B%26%23%25" + suffix) << type.Key;
        for (int i = 1; i < 4; ++i) {
            const TSearchEngine& e = engines.Items(i);
            if (e.HasURL(type.Key)) continue;
            engines.SelectEngine(e.Name);
            EXPECT_EQ(engines.EngineFor(type.Key), &baidu) << e.Name << type.Key;
            EXPECT_EQ(Url(e.Name.c_str(), type.Key, u"中文"), prefix + "%D6%D0%CE%C4" + suffix) << e.Name << type.Key;
        }
    }
    // An emoji on the first engine: its UTF-8 fallback, as before.
    EXPECT_EQ(Url("百度", "Web", u"\U0001F600"), "http://www.baidu.com/baidu?tn=sitekvtq&word=%F0%9F%98%80&ie=utf-8");
}

TEST(CategoryHints, NameTheEngineThatSearchesInstead) {
    EXPECT_EQ(CategoryHintOn(2, "百度"), "在百度中搜索歌词，快捷键 Alt + C");
    EXPECT_EQ(CategoryHint(2), "歌词搜索，快捷键 Alt + C");
}

TUserEngine Engine(std::u16string name, std::u16string url, TQueryCharset charset = TQueryCharset::Utf8,
                   std::u16string suggest = u"") {
    return TUserEngine{std::move(name), std::move(url), charset, std::move(suggest)};
}

TEST(UserEngineChecks, RefuseWhatCouldNotSearch) {
    const std::vector<std::string> taken = {"百度", "Bing"};
    auto check = [&](const TUserEngine& e) { return CheckUserEngine(e, taken); };
    const std::u16string ok = u"https://example.com/s?q={q}";
    EXPECT_EQ(check(Engine(u"Mine", ok)), TEngineProblem::None);
    EXPECT_EQ(check(Engine(u"", ok)), TEngineProblem::NameEmpty);
    EXPECT_EQ(check(Engine(std::u16string(32, u'名'), ok)), TEngineProblem::None);
    EXPECT_EQ(check(Engine(std::u16string(33, u'名'), ok)), TEngineProblem::NameTooLong);
    std::u16string emoji32;
    for (int i = 0; i < 32; ++i) emoji32 += u"\U0001F600";
    EXPECT_EQ(check(Engine(emoji32, ok)), TEngineProblem::None) << "characters, not UTF-16 units";
    EXPECT_EQ(check(Engine(u"bING", ok)), TEngineProblem::NameTaken);
    EXPECT_EQ(check(Engine(u"百度", ok)), TEngineProblem::NameTaken);
    EXPECT_EQ(check(Engine(u"a\tb", ok)), TEngineProblem::ControlCharacter);
    EXPECT_EQ(check(Engine(u"Mine", u"https://x/?q={q}\n")), TEngineProblem::ControlCharacter);
    EXPECT_EQ(check(Engine(u"Mine", u"ftp://example.com/{q}")), TEngineProblem::TemplateNotWeb);
    EXPECT_EQ(check(Engine(u"Mine", u"example.com/?q={q}")), TEngineProblem::TemplateNotWeb);
    EXPECT_EQ(check(Engine(u"Mine", u"HTTP://example.com/?q=%s")), TEngineProblem::None);
    EXPECT_EQ(check(Engine(u"Mine", u"https://example.com/?q=")), TEngineProblem::TemplateWithoutQuery);
    EXPECT_EQ(check(Engine(u"Mine", u"https://example.com/?q={q}&r=%s")), TEngineProblem::TemplateManyQueries);
    const std::u16string head = u"https://example.com/?q={q}&p=";
    EXPECT_EQ(check(Engine(u"Mine", head + std::u16string(400 - head.size(), u'x'))), TEngineProblem::None);
    EXPECT_EQ(check(Engine(u"Mine", head + std::u16string(401 - head.size(), u'x'))), TEngineProblem::TemplateTooLong);
    EXPECT_EQ(check(Engine(u"Mine", ok, TQueryCharset::Gbk, u"https://example.com/su?q=")), TEngineProblem::None);
    EXPECT_EQ(check(Engine(u"Mine", ok, TQueryCharset::Gbk, u"file:///c:/x")), TEngineProblem::SuggestNotWeb);
    for (TEngineProblem p : {TEngineProblem::NameEmpty, TEngineProblem::TemplateTooLong, TEngineProblem::SuggestNotWeb})
        EXPECT_STRNE(EngineProblemText(p), "");
}

TEST(UserEngineUrls, TemplateSplitsAtThePlaceholderAndStaysAscii) {
    TSearchEngine e;
    MakeSearchEngine(Engine(u"Wiki", u"https://zh.example.org/w?search={q}&go=前往", TQueryCharset::Utf8,
                            u"https://zh.example.org/su?q="),
                     e);
    EXPECT_TRUE(e.UserDefined);
    EXPECT_EQ(KeysOf(e), std::vector<std::string>{"Web"});
    const IconvGbk codec;
    EXPECT_EQ(BuildQueryUrl(e, "Web", u"a b", codec), "https://zh.example.org/w?search=%61+%62&go=%E5%89%8D%E5%BE%80");
    EXPECT_EQ(BuildQueryUrl(e, "Lyric", u"a", codec), std::nullopt) << "only the web category";

    TSearchEngine gbk;
    MakeSearchEngine(Engine(u"G", u"http://gbk.example.com/s?wd=%s&x=1", TQueryCharset::Gbk), gbk);
    EXPECT_EQ(BuildQueryUrl(gbk, "web", u"中文", codec), "http://gbk.example.com/s?wd=%D6%D0%CE%C4&x=1");
}

// Wine's shell faults at 1,000 characters: a long template leaves the query less room.
TEST(UserEngineUrls, ALongTemplateCutsTheQueryOnACharacterBoundaryBelowAThousand) {
    const std::u16string head = u"https://example.com/search?q={q}&pad=";
    TSearchEngine e;
    MakeSearchEngine(Engine(u"Long", head + std::u16string(400 - head.size(), u'p')), e);
    std::u16string emoji;
    for (std::size_t i = 0; i < QueryMaxUnits / 2; ++i) emoji += u"\U0001F600";  // 100 units
    std::u16string hundred;
    for (int i = 0; i < 100; ++i) hundred += u"\U0001F600";
    const IconvGbk codec;
    for (const std::u16string& q : {emoji, hundred}) {
        const auto url = BuildQueryUrl(e, "Web", q, codec);
        ASSERT_TRUE(url.has_value());
        EXPECT_LE(url->size(), UrlMaxChars);
        EXPECT_GT(url->size(), UrlMaxChars - 12) << "cut no further than needed";
        const std::size_t at = url->find("q=") + 2;
        const std::string query = url->substr(at, url->find("&pad") - at);
        EXPECT_EQ(query.size() % 12, 0u) << "whole characters only";
    }
    // A short query is not cut.
    EXPECT_EQ(BuildQueryUrl(e, "Web", u"\U0001F600", codec)->size(), 400 - 3 + 12);
}

TEST(StoredEngines, SplitAndJoinKeepEveryEntry) {
    EXPECT_EQ(SplitMultiSz(std::u16string_view(u"a\0b\0\0", 5)), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(SplitMultiSz(std::u16string_view(u"a\0\0b\0\0", 6)), (std::vector<std::u16string>{u"a", u"", u"b"}));
    EXPECT_EQ(SplitMultiSz(u"no terminator"), std::vector<std::u16string>{u"no terminator"});
    EXPECT_TRUE(SplitMultiSz(std::u16string_view(u"\0\0\0", 3)).empty());
    EXPECT_TRUE(SplitMultiSz(u"").empty());
    EXPECT_EQ(JoinMultiSz({u"a", u"", u"b"}), std::u16string(u"a\0\0b\0\0", 6));
    EXPECT_EQ(JoinMultiSz({}), std::u16string(1, u'\0'));
}

TEST(StoredEngines, ValidEntriesBecomeEnginesAndTheOthersAreKeptAsTheyWere) {
    const std::u16string value[] = {
        u"Wiki\thttps://w.example.org/?s={q}\tutf-8\thttps://w.example.org/su?q=",
        u"Old\thttp://old.example.com/s?wd=%s\tGBK",         // three fields, %s, any case
        u"wiki\thttps://other.example.org/?s={q}\tutf-8\t",  // the name again
        u"必应\thttps://x.example.com/?q={q}\tutf-8\t",      // a built-in name
        u"Bad\tftp://x/{q}\tutf-8\t",
        u"Bad2\thttps://x/\tutf-8\t",
        u"Bad3\thttps://x/{q}\tlatin1\t",
        u"Bad4\thttps://x/{q}\tutf-8\tgopher://s\t",
        u"Bad5\thttps://x/{q}",
        u"",
        u"\thttps://x/{q}\tutf-8\t",
    };
    std::vector<std::u16string> entries(std::begin(value), std::end(value));
    TSearchEngines builtIn;
    builtIn.FillFromDefs();
    std::vector<std::string> names;
    for (int i = 0; i < builtIn.Count(); ++i) names.push_back(builtIn.Items(i).Name);
    const std::vector<TEngineEntry> parsed = ParseEnginesValue(JoinMultiSz(entries), names);
    ASSERT_EQ(parsed.size(), entries.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        EXPECT_EQ(parsed[i].Raw, entries[i]) << i;
        EXPECT_EQ(parsed[i].Engine.has_value(), i < 2) << i;
    }
    EXPECT_EQ(parsed[0].Engine->SuggestUrl, u"https://w.example.org/su?q=");
    EXPECT_EQ(parsed[1].Engine->Template, u"http://old.example.com/s?wd={q}");
    EXPECT_EQ(parsed[1].Engine->Charset, TQueryCharset::Gbk);
    EXPECT_EQ(FormatEngineEntry(*parsed[1].Engine), u"Old\thttp://old.example.com/s?wd={q}\tgbk\t");
    TEngineProblem why = TEngineProblem::None;
    EXPECT_FALSE(ParseEngineEntry(value[6], &why));
    EXPECT_EQ(why, TEngineProblem::BadCharset);
    EXPECT_FALSE(ParseEngineEntry(u"a\tb\tc\td\te", &why));
    EXPECT_EQ(why, TEngineProblem::BadFields);
}

TEST(StoredEngines, Utf8ToUtf16ReadsEveryPlaneAndReplacesBadBytes) {
    EXPECT_EQ(Utf8ToUtf16("A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"), u"A\u00E9\u4E2D\U0001F600");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"
                          "a\xE4\xB8"),
              u"\uFFFD\uFFFD"
              u"a\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD") << "no surrogates from UTF-8";
}

TEST(SuggestSources, EachEnginesOwnOrNone) {
    TSearchEngines engines;
    engines.FillFromDefs();
    const auto baidu = EngineSuggestSource(engines.Items(0));
    ASSERT_TRUE(baidu);
    EXPECT_EQ(baidu->Url, "https://suggestion.baidu.com/su?ie=utf-8&json=1&wd=");
    EXPECT_EQ(baidu->Format, TSuggestFormat::ServiceWrapper);
    const auto bing = EngineSuggestSource(engines.Items(1));
    ASSERT_TRUE(bing);
    EXPECT_EQ(bing->Url, "https://api.bing.com/osjson.aspx?query=");
    EXPECT_EQ(bing->Format, TSuggestFormat::OpenSearch);
    EXPECT_FALSE(EngineSuggestSource(engines.Items(2)));
    EXPECT_FALSE(EngineSuggestSource(engines.Items(3)));
    TSearchEngine mine, none;
    MakeSearchEngine(Engine(u"M", u"https://m.example/?q={q}", TQueryCharset::Utf8, u"https://m.example/su?q="), mine);
    MakeSearchEngine(Engine(u"N", u"https://n.example/?q={q}"), none);
    EXPECT_EQ(EngineSuggestSource(mine)->Url, "https://m.example/su?q=");
    EXPECT_FALSE(EngineSuggestSource(none));
}

// ---- the settings' load and save

std::vector<std::uint8_t> Bytes(std::u16string_view units) {
    std::vector<std::uint8_t> out;
    for (char16_t u : units) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return out;
}

TStoredValue Stored(std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
    TStoredValue v;
    v.Exists = true;
    v.Type = type;
    v.Size = bytes.size();
    v.Data = bytes.empty() ? nullptr : bytes.data();
    return v;
}

class ConfigEngines : public ::testing::Test {
protected:
    void Load(const TStoredValue& engines, const TStoredValue& current) {
        cfg.LoadEngines();
        cfg.ApplyStoredEngines(engines, current);
    }
    TConfig cfg;
};

TEST_F(ConfigEngines, MissingValuesMeanTheFirstEngineAndNothingWritten) {
    Load({}, {});
    EXPECT_EQ(cfg.Engines().Count(), 4);
    EXPECT_EQ(cfg.CurrentEngine()->Name, "百度");
    EXPECT_FALSE(cfg.EnginesValueToSave());
    EXPECT_FALSE(cfg.EngineValueToSave());
    cfg.Engines().SelectEngine("必应");
    EXPECT_EQ(cfg.EngineValueToSave(), Bytes(std::u16string(u"必应") + u'\0'));
}

TEST_F(ConfigEngines, StoredEnginesAreAddedAndTheValueWrittenBackUnchanged) {
    const std::u16string contents =
        JoinMultiSz({u"Bad\tftp://x/{q}\tutf-8\t", u"Mine\thttps://m.example/?q={q}\tgbk\t"});
    const auto engines = Bytes(contents);
    const auto current = Bytes(std::u16string(u"MINE") + u'\0');
    Load(Stored(RegTypeMultiSz, engines), Stored(RegTypeSz, current));
    ASSERT_EQ(cfg.Engines().Count(), 5);
    EXPECT_EQ(cfg.CurrentEngine()->Name, "Mine");
    EXPECT_TRUE(cfg.CurrentEngine()->UserDefined);
    EXPECT_FALSE(cfg.EnginesValueToSave()) << "nothing changed: the value is left as it is";
    EXPECT_FALSE(cfg.EngineValueToSave());

    // Deleting keeps the invalid entry; adding appends the typed fields with {q}.
    EXPECT_TRUE(cfg.DeleteCurrentEngine());
    EXPECT_EQ(cfg.CurrentEngine()->Name, "百度");
    EXPECT_FALSE(cfg.DeleteCurrentEngine()) << "a built-in engine stays";
    EXPECT_EQ(cfg.AddUserEngine(Engine(u"New", u"https://n.example/?q=%s")), TEngineProblem::None);
    EXPECT_EQ(cfg.CurrentEngine()->Name, "New");
    EXPECT_EQ(cfg.AddUserEngine(Engine(u"new", u"https://n.example/?q={q}")), TEngineProblem::NameTaken);
    EXPECT_EQ(cfg.Engines().Count(), 5);
    EXPECT_EQ(cfg.EnginesValueToSave(),
              Bytes(JoinMultiSz({u"Bad\tftp://x/{q}\tutf-8\t", u"New\thttps://n.example/?q={q}\tutf-8\t"})));
    EXPECT_EQ(cfg.EngineValueToSave(), Bytes(std::u16string(u"New") + u'\0'));
}

TEST_F(ConfigEngines, AnUnknownOrUnreadableValueSelectsTheFirstAndLeavesEnginesAlone) {
    const auto odd = std::vector<std::uint8_t>{'M', 0, 'i'};
    Load(Stored(RegTypeMultiSz, odd), Stored(RegTypeSz, Bytes(u"nobody")));
    EXPECT_EQ(cfg.Engines().Count(), 4);
    EXPECT_EQ(cfg.CurrentEngine()->Name, "百度");
    EXPECT_EQ(cfg.AddUserEngine(Engine(u"Mine", u"https://m.example/?q={q}")), TEngineProblem::None);
    EXPECT_FALSE(cfg.EnginesValueToSave()) << "an odd-sized value is not ours to rewrite";
    cfg.Engines().SelectEngine("百度");
    EXPECT_FALSE(cfg.EngineValueToSave()) << "the unknown name is kept while 百度 stays current";
    cfg.Engines().SelectEngine("必应");
    EXPECT_EQ(cfg.EngineValueToSave(), Bytes(std::u16string(u"必应") + u'\0'));

    TStoredValue tooLarge;
    tooLarge.Exists = true;
    tooLarge.Type = RegTypeMultiSz;
    tooLarge.Size = EnginesMaxBytes + 2;
    Load(tooLarge, Stored(RegTypeBinary, Bytes(u"必应")));
    EXPECT_EQ(cfg.CurrentEngine()->Name, "百度") << "a name of another type is not read";
    EXPECT_FALSE(cfg.EnginesValueToSave());
    Load(Stored(RegTypeSz, Bytes(u"x")), {});
    EXPECT_FALSE(cfg.EnginesValueToSave());
}

}  // namespace
}  // namespace quorvex
