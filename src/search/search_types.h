#pragma once
// The eleven search categories and the built-in engine list. Both tables are
// constants: the order is the order of the bar's buttons, of the search-type
// menu and of the custom buttons dialog.
#include <array>
#include <cstdint>

namespace quorvex {

constexpr int SearchTypeCount = 11;

struct TSearchTypeDef {
    int Id;               // 0..10, the entry's position
    const char* Key;      // English key, compared ignoring ASCII case
    const char* Caption;  // Chinese caption, UTF-8 (shown through the wide APIs)
    std::int32_t Bit;     // 1 << Id
};

extern const std::array<TSearchTypeDef, SearchTypeCount> SearchTypes;

// The set of all eleven categories.
constexpr std::int32_t AllButtonsMask = 2047;

// True when the category `bit` belongs to `mask`.
constexpr bool MaskContains(std::int32_t mask, std::int32_t bit) { return (mask & bit) > 0; }

// The bytes a query is sent as. GBK falls back to UTF-8 (with the service's
// "ie" parameter) for a query GBK cannot hold exactly.
enum class TQueryCharset { Gbk, Utf8 };

// The reply format of a suggestion source: the first engine's own wrapper, or
// OpenSearch suggestions JSON.
enum class TSuggestFormat { ServiceWrapper, OpenSearch };

struct TSearchEngineDef {
    const char* Name;  // UTF-8
    // Already percent-encoded; nullptr where the engine has no such category
    // (that category is searched on the first engine).
    std::array<const char*, SearchTypeCount> URLPrefix;
    std::array<const char*, SearchTypeCount> URLSuffix;
    TQueryCharset Charset;
    const char* SuggestUrl;  // the text's UTF-8 escapes are appended; nullptr: none
    TSuggestFormat SuggestFormat;
};

constexpr int BuiltInEngineCount = 4;
// The first is the service the program was made for; it stays first.
extern const std::array<TSearchEngineDef, BuiltInEngineCount> SearchEngineDefs;

// "btn" + Key: the name under which the bar holds a category's button.
const char* SearchButtonName(int id);
// "mi" + Key: the name of the category's search-type menu item.
const char* SearchMenuItemName(int id);
// The Alt letter of a category: 'A' + Id.
constexpr char AltLetter(int id) { return static_cast<char>('A' + id); }

}  // namespace quorvex
