#include "search/query_url.h"

#include <algorithm>

#include "search/query_encoding.h"
#include "search/query_limit.h"
#include "search/search_engine.h"

namespace quorvex {
namespace {

constexpr std::string_view Utf8Parameter = "ie=utf-8";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A template part whose escapes are GBK bytes, with those bytes given as UTF-8
// instead: escapes are decoded, the text converted, and every byte above ASCII
// and the space escaped again ("%XX"); other characters stay as they are.
std::string RecodeTemplatePart(std::string_view part, const GbkCodec& codec) {
    std::string bytes;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '%' && i + 2 < part.size() && HexValue(part[i + 1]) >= 0 && HexValue(part[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(part[i + 1]) * 16 + HexValue(part[i + 2]));
            i += 2;
        } else {
            bytes += part[i];
        }
    }
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : Utf16ToUtf8(codec.FromGbk(bytes))) {
        if (c >= 0x80 || c == ' ' || c == '%') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The position of the value of the "ie" parameter in the query of `url`, or npos.
std::size_t EncodingParameterValue(std::string_view url) {
    const std::size_t query = url.find('?');
    if (query == std::string_view::npos) return std::string_view::npos;
    std::size_t start = query + 1;
    while (start < url.size()) {
        std::size_t end = url.find('&', start);
        if (end == std::string_view::npos) end = url.size();
        if (SameTextAscii(url.substr(start, std::min<std::size_t>(3, end - start)), "ie=")) return start + 3;
        start = end + 1;
    }
    return std::string_view::npos;
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

std::size_t SentByteLength(std::u16string_view text, const GbkCodec& codec) {
    if (const auto gbk = codec.ToGbkExact(text)) return gbk->size();
    return Utf16ToUtf8(text).size();
}

namespace {

std::optional<std::string> BuildUncutUrl(const TSearchEngine& engine, std::string_view key, std::u16string_view query,
                                         const GbkCodec& codec) {
    if (engine.Charset == TQueryCharset::Utf8) return BuildSearchUrl(engine, key, Utf16ToUtf8(query));
    if (const auto gbk = codec.ToGbkExact(query)) return BuildSearchUrl(engine, key, *gbk);

    const std::string utf8 = Utf16ToUtf8(query);
    if (!HasSearchableText(utf8)) return std::nullopt;
    std::string prefix, suffix;
    engine.FindURL(key, prefix, suffix);
    // The words a template carries around the query are GBK escapes too.
    const std::size_t valueStart = prefix.rfind('=');
    if (valueStart != std::string::npos)
        prefix = prefix.substr(0, valueStart + 1) +
                 RecodeTemplatePart(std::string_view(prefix).substr(valueStart + 1), codec);
    suffix = RecodeTemplatePart(suffix, codec);

    TSearchEngine recoded;
    recoded.AddURL(std::string(key), prefix, suffix);
    auto url = BuildSearchUrl(recoded, key, utf8);
    if (!url) return url;
    // A template that names its encoding already gets that name changed;
    // otherwise the parameter is added (every template carries a query part).
    const std::size_t value = EncodingParameterValue(*url);
    if (value != std::string::npos) {
        std::size_t end = url->find('&', value);
        if (end == std::string::npos) end = url->size();
        url->replace(value, end - value, Utf8Parameter.substr(3));
    } else {
        *url += url->find('?') == std::string::npos ? '?' : '&';
        *url += Utf8Parameter;
    }
    return url;
}

// The length of `text` without its last character (a surrogate pair is one).
std::size_t WithoutLastCharacter(std::u16string_view text) {
    std::size_t n = text.size() - 1;
    if (n > 0 && text[n] >= 0xDC00 && text[n] <= 0xDFFF && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    return n;
}

}  // namespace

std::optional<std::string> BuildQueryUrl(const TSearchEngine& engine, std::string_view key, std::u16string_view query,
                                         const GbkCodec& codec) {
    for (;;) {
        auto url = BuildUncutUrl(engine, key, query, codec);
        if (!url || url->size() <= UrlMaxChars) return url;
        query = query.substr(0, WithoutLastCharacter(query));
    }
}

}  // namespace quorvex
