#pragma once
// The search URL for a query as typed (UTF-16). A query GBK holds exactly is
// sent as GBK bytes, as it always was; any other query is sent as UTF-8 bytes
// and the URL tells the service so (its "ie" parameter), since without it the
// service reads the bytes as GBK. GB18030 is not used: GBK servers do not
// decode its four-byte sequences.
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

class TSearchEngine;

// The code-page conversions the URL needs, supplied by the platform.
class GbkCodec {
public:
    virtual ~GbkCodec() = default;
    // The GBK bytes of `text`, or nullopt when GBK cannot hold it exactly
    // (a best-fit or default character counts as not exact).
    virtual std::optional<std::string> ToGbkExact(std::u16string_view text) const = 0;
    // GBK bytes to UTF-16 (for the words a template itself carries in GBK).
    virtual std::u16string FromGbk(std::string_view gbk) const = 0;
};

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The byte length of the text in the form a search would send: its GBK bytes
// when GBK holds it exactly, otherwise its UTF-8 bytes.
std::size_t SentByteLength(std::u16string_view text, const GbkCodec& codec);

// The URL of `key` for the query, or nullopt as BuildSearchUrl decides. A GBK
// engine sends the query as described above; a UTF-8 engine sends its UTF-8
// bytes, encoded by the same byte rule. The URL is at most UrlMaxChars long:
// the query loses characters from its end until it fits (nullopt when what is
// left is blank).
std::optional<std::string> BuildQueryUrl(const TSearchEngine& engine, std::string_view key, std::u16string_view query,
                                         const GbkCodec& codec);

}  // namespace quorvex
