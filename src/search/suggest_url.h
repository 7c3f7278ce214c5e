#pragma once
// Where the suggestions for the query box's text are asked for: the source
// (the SuggestUrl setting when it is a web address, otherwise the current
// engine's own) and the request URL for a text.
#include <optional>
#include <string>
#include <string_view>

#include "search/user_engines.h"

namespace quorvex {

class TSearchEngine;

// The built-in engines' first source: the service's own suggestion endpoint.
TSuggestSource DefaultSuggestSource();

// The source to ask: `overrideUrl` (the SuggestUrl value, without its
// terminator; empty when there is none) when it is an http or https address
// with a host and no control characters, written in ASCII as a user engine's
// URL is (UTF-8 escapes for anything else); otherwise the engine's own source,
// or nullopt when it has none (history matches only). The reply parser takes
// either reply format, so an override's Format is only the usual one.
std::optional<TSuggestSource> ChooseSuggestSource(const TSearchEngine& engine, std::u16string_view overrideUrl);

// The request for `text`: the source's URL + the text's UTF-8 bytes, each
// escaped ("%XX"; the space "+", as queries are). The text is cut as a query
// is: to QueryMaxUnits, then a whole character at a time until the URL fits in
// UrlMaxChars. nullopt when what is left is empty or blank (nothing is sent),
// or the source is not a web address.
std::optional<std::string> BuildSuggestUrl(const TSuggestSource& source, std::u16string_view text);

// The part of `text` that `url` (BuildSuggestUrl's for that text) carries:
// the text as that request cut it, which is what the reply's echo names.
std::u16string SuggestTextSent(std::string_view url, std::u16string_view text);

}  // namespace quorvex
