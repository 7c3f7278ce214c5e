#include "search/suggest_reply.h"

#include <rapidjson/document.h>

#include "search/query_encoding.h"
#include "search/query_url.h"
#include "search/user_engines.h"

namespace quorvex {
namespace {

constexpr std::string_view WrapperStart = "window.baidu.sug(";
// Iterative: a deeply nested reply cannot exhaust the stack.
constexpr unsigned JsonFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    return TrimEnd(s);
}

// Strict UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t n = 0;
        char32_t c = 0;
        if (b >= 0xC2 && b <= 0xDF) n = 2, c = b & 0x1F;
        else if ((b & 0xF0) == 0xE0) n = 3, c = b & 0x0F;
        else if (b >= 0xF0 && b <= 0xF4) n = 4, c = b & 0x07;
        else return false;
        if (s.size() - i < n) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += n;
    }
    return true;
}

// GBK's byte structure: ASCII, or a lead byte 0x81-0xFE with a trail byte
// 0x40-0xFE other than 0x7F. (A GB18030 four-byte sequence is not GBK.)
bool IsGbk(std::string_view s, bool& ascii) {
    ascii = true;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        ascii = false;
        if (b == 0x80 || b == 0xFF || i + 1 == s.size()) return false;
        const auto t = static_cast<unsigned char>(s[i + 1]);
        if (t < 0x40 || t == 0x7F || t == 0xFF) return false;
        i += 2;
    }
    return true;
}

// The body as UTF-8, or nullopt when it is not in its charset.
std::optional<std::string> BodyAsUtf8(std::string_view body, TReplyCharset charset, const GbkCodec& codec) {
    if (charset == TReplyCharset::Utf8) {
        if (!IsUtf8(body)) return std::nullopt;
        if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);  // a byte-order mark
        return std::string(body);
    }
    bool ascii = true;
    if (!IsGbk(body, ascii)) return std::nullopt;
    if (ascii) return std::string(body);
    return Utf16ToUtf8(codec.FromGbk(body));
}

bool IsControl(char16_t u) { return u < 0x20 || (u >= 0x7F && u <= 0x9F); }

bool IsBlank(std::u16string_view text) {
    for (char16_t u : text)
        if (u > 0x20) return false;
    return true;
}

std::u16string CleanItem(std::u16string_view raw) {
    std::u16string text;
    for (char16_t u : raw)
        if (!IsControl(u)) text += u;
    text.resize(QueryCutLength(std::u16string_view(text), SuggestItemMaxUnits));
    return text;
}

std::u16string StringOf(const rapidjson::Value& value) {
    return Utf8ToUtf16(std::string_view(value.GetString(), value.GetStringLength()));
}

std::optional<TSuggestReply> ReadReply(const rapidjson::Value& echo, const rapidjson::Value& items) {
    if (!echo.IsString() || !items.IsArray()) return std::nullopt;
    TSuggestReply reply;
    reply.Echo = StringOf(echo);
    for (const rapidjson::Value& item : items.GetArray()) {
        if (!item.IsString()) return std::nullopt;
        if (reply.Items.size() == SuggestMaxItems) continue;  // the rest must still be strings
        std::u16string text = CleanItem(StringOf(item));
        if (!IsBlank(text)) reply.Items.push_back(std::move(text));
    }
    return reply;
}

std::optional<TSuggestReply> ParseText(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    std::string_view json = Trim(text);
    const bool wrapped = json.substr(0, WrapperStart.size()) == WrapperStart;
    if (wrapped) {
        json.remove_prefix(WrapperStart.size());
        if (!json.empty() && json.back() == ';') json = TrimEnd(json.substr(0, json.size() - 1));
        if (json.empty() || json.back() != ')') return std::nullopt;
        json.remove_suffix(1);
    }
    rapidjson::Document doc;
    doc.Parse<JsonFlags>(json.data(), json.size());
    if (doc.HasParseError()) return std::nullopt;
    if (wrapped) {
        if (!doc.IsObject()) return std::nullopt;
        const auto echo = doc.FindMember("q");
        const auto items = doc.FindMember("s");
        if (echo == doc.MemberEnd() || items == doc.MemberEnd()) return std::nullopt;
        return ReadReply(echo->value, items->value);
    }
    if (!doc.IsArray() || doc.Size() < 2) return std::nullopt;
    return ReadReply(doc[0], doc[1]);
}

std::u16string_view TrimBlanks(std::u16string_view s) {
    while (!s.empty() && s.front() <= 0x20) s.remove_prefix(1);
    while (!s.empty() && s.back() <= 0x20) s.remove_suffix(1);
    return s;
}

}  // namespace

TReplyCharset ReplyCharset(std::string_view contentType) {
    // The parameters follow the media type, each after a ';'.
    for (std::size_t at = contentType.find(';'); at != std::string_view::npos;) {
        const std::size_t next = contentType.find(';', at + 1);
        const std::string_view parameter =
            Trim(contentType.substr(at + 1, next == std::string_view::npos ? std::string_view::npos : next - at - 1));
        at = next;
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos || !SameTextAscii(Trim(parameter.substr(0, equals)), "charset")) continue;
        std::string_view name = Trim(parameter.substr(equals + 1));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
        if (name.empty()) return TReplyCharset::Gbk;
        if (SameTextAscii(name, "utf-8") || SameTextAscii(name, "utf8")) return TReplyCharset::Utf8;
        if (SameTextAscii(name, "gbk") || SameTextAscii(name, "gb2312") || SameTextAscii(name, "gb18030"))
            return TReplyCharset::Gbk;
        return TReplyCharset::Unknown;
    }
    return TReplyCharset::Gbk;
}

std::optional<TSuggestReply> ParseSuggestReply(std::string_view body, std::string_view contentType,
                                               const GbkCodec& codec) {
    if (body.size() > SuggestReplyMaxBytes) return std::nullopt;
    const TReplyCharset charset = ReplyCharset(contentType);
    if (charset == TReplyCharset::Unknown) return std::nullopt;
    try {
        const std::optional<std::string> text = BodyAsUtf8(body, charset, codec);
        if (!text) return std::nullopt;
        return ParseText(*text);
    } catch (...) {
        // Out of memory, or the platform's conversion failed: a reply like any other bad one.
        return std::nullopt;
    }
}

bool ReplyIsFor(const TSuggestReply& reply, std::u16string_view requested) {
    const std::u16string_view echo = TrimBlanks(reply.Echo);
    const std::u16string_view asked = TrimBlanks(requested.substr(0, QueryCutLength(requested)));
    return SameTextAscii16(echo, asked);
}

std::vector<std::u16string> UsableSuggestions(const TSuggestReply& reply, std::u16string_view requested,
                                              bool acceptOtherText) {
    if (acceptOtherText || ReplyIsFor(reply, requested)) return reply.Items;
    return {};
}

}  // namespace quorvex
