// The suggestion service's reply, whatever arrives: any body under any of the
// Content-Types a server may name. Input: one byte choosing the Content-Type,
// then the body.
#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "search/query_url.h"
#include "search/suggest_reply.h"
#include "search/suggest_rows.h"
#include "search/user_engines.h"
#include "support/iconv_gbk.h"

using namespace quorvex;

namespace {

constexpr std::array<const char*, 8> ContentTypes = {
    "",
    "text/javascript; charset=utf-8",
    "application/json;charset=UTF8",
    "text/javascript; charset=gbk",
    "text/plain; charset=\"gb2312\"",
    "text/html; charset=GB18030",
    "text/plain; charset=iso-8859-1",
    "text/plain; charset",
};

const oracle::IconvGbk& Codec() {
    static const oracle::IconvGbk codec;
    return codec;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Well-formed UTF-16: every surrogate in a pair.
bool IsWellFormed(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) return false;
    }
    return true;
}

std::string JsonString(std::u16string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : Utf16ToUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonList(const std::vector<std::u16string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + JsonString(items[i]);
    return out + "]";
}

bool SameReply(const std::optional<TSuggestReply>& a, const TSuggestReply& b) {
    return a && a->Echo == b.Echo && a->Items == b.Items;
}

void Check(std::string_view body, const char* contentType) {
    const std::optional<TSuggestReply> reply = ParseSuggestReply(body, contentType, Codec());
    if (!reply) return;
    FUZZ_CHECK(body.size() <= SuggestReplyMaxBytes);
    FUZZ_CHECK(ReplyCharset(contentType) != TReplyCharset::Unknown);
    FUZZ_CHECK(reply->Items.size() <= SuggestMaxItems);
    FUZZ_CHECK(IsWellFormed(reply->Echo));
    for (const std::u16string& item : reply->Items) {
        FUZZ_CHECK(!item.empty() && item.size() <= SuggestItemMaxUnits);
        FUZZ_CHECK(IsWellFormed(item));
        FUZZ_CHECK(std::any_of(item.begin(), item.end(), [](char16_t u) { return u > 0x20; }));
        FUZZ_CHECK(
            std::none_of(item.begin(), item.end(), [](char16_t u) { return u < 0x20 || (u >= 0x7F && u <= 0x9F); }));
    }

    // What was kept reads back the same in either format: cleaning it again changes nothing.
    const std::string open = "[" + JsonString(reply->Echo) + "," + JsonList(reply->Items) + "]";
    FUZZ_CHECK(SameReply(ParseSuggestReply(open, "application/json; charset=utf-8", Codec()), *reply));
    const std::string wrapped =
        "window.baidu.sug({\"q\":" + JsonString(reply->Echo) + ",\"p\":false,\"s\":" + JsonList(reply->Items) + "});";
    if (const auto gbk = Codec().ToGbkExact(Utf8ToUtf16(wrapped))) {
        FUZZ_CHECK(SameReply(ParseSuggestReply(*gbk, "", Codec()), *reply));
    }

    // The reply is for its own echo; the rows hold what the limits allow, once each.
    if (reply->Echo.size() <= QueryMaxUnits) FUZZ_CHECK(UsableSuggestions(*reply, reply->Echo, false) == reply->Items);
    const auto rows = SuggestRows(reply->Echo, reply->Items, reply->Items);
    std::size_t historyRows = 0, serviceRows = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].FromHistory) {
            FUZZ_CHECK(serviceRows == 0);  // history first
            ++historyRows;
        } else {
            ++serviceRows;
        }
        for (std::size_t k = 0; k < i; ++k) FUZZ_CHECK(!SameTextAscii16(rows[k].Text, rows[i].Text));
    }
    FUZZ_CHECK(historyRows <= SuggestHistoryRows && serviceRows <= SuggestServiceRows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char* contentType = ContentTypes[data[0] % ContentTypes.size()];
    const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        Check(body, contentType);
    } catch (...) {
        FUZZ_CHECK(!"an exception escaped");
    }
    return 0;
}
