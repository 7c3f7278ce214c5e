// The search URL for any text in the query box (any UTF-16 units, a longer
// text cut as the bar cuts it). Input: one byte choosing the category (or a
// key no engine has), then the text as UTF-16LE.
#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "search/query_limit.h"
#include "search/query_url.h"
#include "search/search_engine.h"
#include "search/search_types.h"
#include "support/iconv_gbk.h"

using namespace quorvex;

namespace {

// Wine's shell faults on a URL of 1,000 characters or more.
constexpr std::size_t UrlLimit = 1000;

const TSearchEngine& Engine() {
    static const TSearchEngines engines = [] {
        TSearchEngines e;
        e.FillFromDefs();
        return e;
    }();
    return *engines.CurrentEngine();
}

const oracle::IconvGbk& Codec() {
    static const oracle::IconvGbk codec;
    return codec;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

bool StartsWith(const std::string& s, std::string_view prefix) { return s.compare(0, prefix.size(), prefix) == 0; }
bool EndsWith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The query's bytes from its part of the URL: "%XX" a byte, "+" a space,
// anything else unexpected.
std::optional<std::string> PercentDecoded(std::string_view part) {
    auto hex = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1; };
    std::string bytes;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '+') {
            bytes += ' ';
        } else if (part[i] == '%' && i + 2 < part.size() && hex(part[i + 1]) >= 0 && hex(part[i + 2]) >= 0) {
            bytes += static_cast<char>(hex(part[i + 1]) * 16 + hex(part[i + 2]));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

// The query with each lone surrogate as U+FFFD, the one character UTF-8 can send for it.
std::u16string WithLoneSurrogatesReplaced(std::u16string_view q) {
    std::u16string out;
    for (std::size_t i = 0; i < q.size(); ++i) {
        const char16_t u = q[i];
        if (IsHighSurrogate(u) && i + 1 < q.size() && IsLowSurrogate(q[i + 1])) {
            out += u;
            out += q[++i];
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            out += u'\uFFFD';
        } else {
            out += u;
        }
    }
    return out;
}

struct TUrlFrame {
    std::string before, after;  // the URL around the query's bytes
};

// Around a UTF-8 query: found from the URL of one Korean syllable, which GBK lacks.
TUrlFrame Utf8Frame(const char* key) {
    const auto url = BuildQueryUrl(Engine(), key, u"\uD55C", Codec());
    FUZZ_CHECK(url.has_value());
    const std::string mark = "%ED%95%9C";
    const std::size_t at = url->find(mark);
    FUZZ_CHECK(at != std::string::npos && url->find(mark, at + 1) == std::string::npos);
    return {url->substr(0, at), url->substr(at + mark.size())};
}

std::size_t Count(const std::string& s, std::string_view part) {
    std::size_t n = 0;
    for (std::size_t at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t type = data[0] % (SearchTypeCount + 1);
    const char* key = type < SearchTypeCount ? SearchTypes[type].Key : "Nothing";
    const std::u16string text =
        oracle::FromUtf16Bytes(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    // Cut as the bar cuts a longer text: never between the halves of a pair.
    const std::size_t cut = QueryCutLength(std::u16string_view(text));
    FUZZ_CHECK(cut == std::min(text.size(), QueryMaxUnits) ||
               (text.size() > QueryMaxUnits && cut + 1 == QueryMaxUnits));
    FUZZ_CHECK(cut == text.size() || cut == 0 || !(IsHighSurrogate(text[cut - 1]) && IsLowSurrogate(text[cut])));
    const std::u16string_view query = std::u16string_view(text).substr(0, cut);

    const std::optional<std::string> url = BuildQueryUrl(Engine(), key, query, Codec());
    bool searchable = false;
    for (char16_t u : query) searchable = searchable || u > 0x20;
    FUZZ_CHECK(url.has_value() == (searchable && type < SearchTypeCount));
    if (!url) return 0;

    FUZZ_CHECK(StartsWith(*url, "http://") || StartsWith(*url, "https://"));
    FUZZ_CHECK(url->size() < UrlLimit);

    // The query's part of the URL gives back its bytes: GBK when GBK holds it
    // exactly (in the template as it is), UTF-8 otherwise (with the encoding named).
    const std::optional<std::string> gbk = Codec().ToGbkExact(query);
    TUrlFrame frame;
    if (gbk) {
        Engine().FindURL(key, frame.before, frame.after);
        FUZZ_CHECK(url->find("ie=utf-8") == std::string::npos);
    } else {
        static std::array<std::optional<TUrlFrame>, SearchTypeCount> frames;
        if (!frames[type]) frames[type] = Utf8Frame(key);
        frame = *frames[type];
        FUZZ_CHECK(Count(*url, "ie=") == 1 && Count(*url, "ie=utf-8") == 1);
    }
    FUZZ_CHECK(url->size() >= frame.before.size() + frame.after.size());
    FUZZ_CHECK(StartsWith(*url, frame.before) && EndsWith(*url, frame.after));
    const auto sent = PercentDecoded(
        std::string_view(*url).substr(frame.before.size(), url->size() - frame.before.size() - frame.after.size()));
    FUZZ_CHECK(sent.has_value());
    if (gbk) {
        FUZZ_CHECK(*sent == *gbk);
    } else {
        static const oracle::IconvConverter fromUtf8("UTF-16LE", "UTF-8");
        const auto back = fromUtf8.Convert(*sent);
        FUZZ_CHECK(back.has_value());  // valid UTF-8
        FUZZ_CHECK(oracle::FromUtf16Bytes(*back) == WithLoneSurrogatesReplaced(query));
    }
    FUZZ_CHECK(SentByteLength(query, Codec()) == sent->size());
    return 0;
}
