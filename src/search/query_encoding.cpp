#include "search/query_encoding.h"

#include "search/search_engine.h"

namespace quorvex {

std::string EncodeQuery(std::string_view gbkText) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(gbkText.size() * 3);
    for (unsigned char c : gbkText) {
        if (c == 0x20) {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

bool HasSearchableText(std::string_view gbkText) {
    for (unsigned char c : gbkText)
        if (c > 0x20) return true;
    return false;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

namespace {
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}
}  // namespace

std::optional<std::string> BuildSearchUrl(const TSearchEngine& engine, std::string_view key,
                                          std::string_view gbkQuery) {
    if (!HasSearchableText(gbkQuery)) return std::nullopt;
    std::string prefix, suffix;
    engine.FindURL(key, prefix, suffix);
    std::string url = prefix + EncodeQuery(gbkQuery) + suffix;
    // Only an absolute web address may reach the shell.
    if (!StartsWithNoCase(url, "http://") && !StartsWithNoCase(url, "https://")) return std::nullopt;
    return url;
}

}  // namespace quorvex
