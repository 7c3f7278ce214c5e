#include "search/suggest_url.h"

#include "search/query_encoding.h"
#include "search/query_limit.h"
#include "search/query_url.h"
#include "search/search_types.h"
#include "search/user_engines.h"

namespace quorvex {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

// The length of the scheme ("http://" or "https://") `url` starts with, or 0.
std::size_t WebSchemeLength(std::string_view url) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")})
        if (StartsWithNoCase(url, scheme)) return scheme.size();
    return 0;
}

bool IsWebUrl(std::string_view url) {
    const std::size_t scheme = WebSchemeLength(url);
    return scheme > 0 && url.size() > scheme && url[scheme] != '/';
}

std::size_t WithoutLastCharacter(std::u16string_view text) {
    std::size_t n = text.size() - 1;
    if (n > 0 && text[n] >= 0xDC00 && text[n] <= 0xDFFF && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    return n;
}

}  // namespace

TSuggestSource DefaultSuggestSource() {
    return TSuggestSource{SearchEngineDefs[0].SuggestUrl, SearchEngineDefs[0].SuggestFormat};
}

std::optional<TSuggestSource> ChooseSuggestSource(const TSearchEngine& engine, std::u16string_view overrideUrl) {
    bool usable = !overrideUrl.empty();
    for (char16_t u : overrideUrl)
        if (u < 0x20 || u == 0x7F) usable = false;
    if (usable) {
        std::string url = UrlText(overrideUrl);
        if (IsWebUrl(url)) return TSuggestSource{std::move(url), TSuggestFormat::OpenSearch};
    }
    return EngineSuggestSource(engine);
}

std::optional<std::string> BuildSuggestUrl(const TSuggestSource& source, std::u16string_view text) {
    if (!IsWebUrl(source.Url)) return std::nullopt;
    text = text.substr(0, QueryCutLength(text));
    for (;;) {
        const std::string utf8 = Utf16ToUtf8(text);
        if (!HasSearchableText(utf8)) return std::nullopt;
        std::string url = source.Url + EncodeQuery(utf8);
        if (url.size() <= UrlMaxChars) return url;
        text = text.substr(0, WithoutLastCharacter(text));
    }
}

std::u16string SuggestTextSent(std::string_view url, std::u16string_view text) {
    const std::u16string_view whole = text.substr(0, QueryCutLength(text));
    // The longest whole-character start of the text whose escapes end the URL.
    for (std::u16string_view sent = whole; !sent.empty(); sent = sent.substr(0, WithoutLastCharacter(sent))) {
        const std::string tail = EncodeQuery(Utf16ToUtf8(sent));
        if (url.size() >= tail.size() && url.substr(url.size() - tail.size()) == tail) return std::u16string(sent);
    }
    return std::u16string(whole);
}

}  // namespace quorvex
