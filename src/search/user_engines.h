#pragma once
// Search engines the user adds: their fields, the checks the add dialog makes,
// and the text form they are kept in (the registry value "Engines", a
// REG_MULTI_SZ with one entry per engine: name, template, "utf-8" or "gbk",
// suggestion URL, separated by tabs). Everything here works on the value's
// UTF-16 contents, so it has no platform part.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_types.h"

namespace quorvex {

class TSearchEngine;

constexpr std::size_t EngineNameMaxChars = 32;
constexpr std::size_t EngineTemplateMaxChars = 400;
// Where the query goes in a template. "%s" is accepted for it and stored as this.
constexpr std::u16string_view QueryPlaceholder = u"{q}";

struct TUserEngine {
    std::u16string Name;
    std::u16string Template;  // exactly one QueryPlaceholder
    TQueryCharset Charset = TQueryCharset::Utf8;
    std::u16string SuggestUrl;  // empty: none
};

// Why an engine is refused (the first reason found, in this order).
enum class TEngineProblem {
    None,
    NameEmpty,
    NameTooLong,
    NameTaken,
    ControlCharacter,  // a tab or line break would break the stored entry
    TemplateNotWeb,
    TemplateWithoutQuery,
    TemplateManyQueries,
    TemplateTooLong,
    SuggestNotWeb,
    // Only a stored entry can have these two.
    BadCharset,
    BadFields,
};

// The message box text for a refusal (UTF-8); empty for None.
const char* EngineProblemText(TEngineProblem problem);

// The template with every "%s" written as "{q}".
std::u16string NormalizeTemplate(std::u16string_view typed);

// The dialog's checks on the fields as typed (the template is normalised
// first). `takenNames`: the names of the engines already there (UTF-8),
// compared ignoring ASCII case as SelectEngine compares them.
TEngineProblem CheckUserEngine(const TUserEngine& engine, const std::vector<std::string>& takenNames);

// ---- the stored form

// One entry of the value as it was read, kept as it was so that saving writes
// it back untouched; Engine is set when it is valid and its name is not taken.
struct TEngineEntry {
    std::u16string Raw;
    std::optional<TUserEngine> Engine;
};

// The entries of REG_MULTI_SZ contents (UTF-16 units, NULs included). Every
// NUL ends an entry; the empty entries after the last text (the list's
// terminator) are dropped, empty ones between texts kept (as invalid), and
// text without a final NUL is an entry too.
std::vector<std::u16string> SplitMultiSz(std::u16string_view contents);
// The contents of a REG_MULTI_SZ holding `entries`: each with its NUL, then
// the list's NUL.
std::u16string JoinMultiSz(const std::vector<std::u16string>& entries);

// An entry's fields (three, or four with the suggestion URL), checked as the
// dialog checks them except for the name's uniqueness; nullopt and the reason
// when it is not a valid engine.
std::optional<TUserEngine> ParseEngineEntry(std::u16string_view raw, TEngineProblem* problem = nullptr);
// The entry of an engine: its four fields joined by tabs.
std::u16string FormatEngineEntry(const TUserEngine& engine);

// The value's entries in order; an entry whose name an earlier engine (one of
// `takenNames`, then an earlier valid entry) already has is kept without an
// engine.
std::vector<TEngineEntry> ParseEnginesValue(std::u16string_view contents, std::vector<std::string> takenNames);

// ---- text helpers the suggestions share

// UTF-16 texts equal but for the case of ASCII letters.
bool SameTextAscii16(std::u16string_view a, std::u16string_view b);
// Printable ASCII stays; anything else becomes escapes of its UTF-8 bytes
// (the rule user engines' and suggestion URLs follow).
std::string UrlText(std::u16string_view text);

// ---- engines made from them

// UTF-8 <-> UTF-16 for names (invalid UTF-8 becomes U+FFFD).
std::u16string Utf8ToUtf16(std::string_view text);

// Fills a collection engine from a user engine: the web category from the
// template (the query replaces the placeholder; characters outside printable
// ASCII are written as escapes of their UTF-8 bytes, so the URL stays ASCII),
// its charset and suggestion URL.
void MakeSearchEngine(const TUserEngine& user, TSearchEngine& engine);

// Where an engine's suggestions come from.
struct TSuggestSource {
    std::string Url;  // the query's escapes are appended
    TSuggestFormat Format;
};
// The engine's own source: the built-in one it carries, a user engine's URL;
// nullopt for an engine without one (history matches only).
std::optional<TSuggestSource> EngineSuggestSource(const TSearchEngine& engine);

}  // namespace quorvex
