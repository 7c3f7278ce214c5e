#pragma once
// Query encoding and search URL building, on GBK bytes.
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

class TSearchEngine;

// Percent-encodes every byte ("%XX", upper-case hex) except the space, which
// becomes "+". Nothing passes unencoded.
std::string EncodeQuery(std::string_view gbkText);

// True when the text holds a byte above 0x20 (leading and trailing bytes of
// 0x20 or less are what a trim would drop).
bool HasSearchableText(std::string_view gbkText);

// Builds the URL the shell is handed for a search: prefix + encoded query +
// suffix of the engine's entry for `key`. No URL (nullopt) for a blank query,
// and none when the result would not be an absolute http/https URL (an unknown
// key leaves only the encoded query, which the shell would take as a file name).
std::optional<std::string> BuildSearchUrl(const TSearchEngine& engine, std::string_view key, std::string_view gbkQuery);

// Case-insensitive comparison of ASCII letters only.
bool SameTextAscii(std::string_view a, std::string_view b);

}  // namespace quorvex
