#pragma once
// A suggestion service's reply: its body decoded by the charset its
// Content-Type names and read as either of the two formats services answer:
//   the first engine's wrapper   window.baidu.sug({"q":"…","p":false,"s":["…",…]});
//   OpenSearch suggestions JSON  ["text",["s1","s2",…],…]
// Any bad reply gives nothing: too large, an unknown charset, bytes that are
// not that charset, malformed or truncated JSON, another structure, or an
// item that is not a string. Nothing throws.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/query_limit.h"
#include "search/user_engines.h"  // SameTextAscii16

namespace quorvex {

class GbkCodec;

// A larger reply is dropped unread.
constexpr std::size_t SuggestReplyMaxBytes = 64 * 1024;
constexpr std::size_t SuggestMaxItems = 10;
// Items are cut as queries are, to the query box's limit.
constexpr std::size_t SuggestItemMaxUnits = QueryMaxUnits;

enum class TReplyCharset { Utf8, Gbk, Unknown };

// The charset a Content-Type value names ("text/javascript; charset=GBK"):
// utf-8 (or utf8) as UTF-8; gbk, gb2312 and gb18030 as GBK; GBK when none is
// named (the service's own replies name none); Unknown for any other name.
TReplyCharset ReplyCharset(std::string_view contentType);

struct TSuggestReply {
    // The text the service says the reply is for, as it gave it back.
    std::u16string Echo;
    // In the service's order, at most SuggestMaxItems: control characters
    // removed, cut to SuggestItemMaxUnits (never inside a surrogate pair),
    // empty and blank ones dropped.
    std::vector<std::u16string> Items;
};

// The reply in `body`, decoded as `contentType` says (GBK through `codec`),
// or nullopt for a bad reply.
std::optional<TSuggestReply> ParseSuggestReply(std::string_view body, std::string_view contentType,
                                               const GbkCodec& codec);

// True when the reply is for `requested` (the text that was asked for, cut as
// the request cut it): its echo is that text, ASCII letter case and blanks
// (U+0020 and below) at either end ignored.
bool ReplyIsFor(const TSuggestReply& reply, std::u16string_view requested);

// The items to show for `requested`: the reply's when it is for that text;
// a reply for another text is used only when the caller accepts one
// (`acceptOtherText`), otherwise it gives nothing (a stale reply).
std::vector<std::u16string> UsableSuggestions(const TSuggestReply& reply, std::u16string_view requested,
                                              bool acceptOtherText);

}  // namespace quorvex
