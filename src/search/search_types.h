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

struct TSearchEngineDef {
    const char* Name;  // UTF-8
    std::array<const char*, SearchTypeCount> URLPrefix;  // already percent-encoded
    std::array<const char*, SearchTypeCount> URLSuffix;
};

extern const std::array<TSearchEngineDef, 1> SearchEngineDefs;

// "btn" + Key: the name under which the bar holds a category's button.
const char* SearchButtonName(int id);
// "mi" + Key: the name of the category's search-type menu item.
const char* SearchMenuItemName(int id);
// The Alt letter of a category: 'A' + Id.
constexpr char AltLetter(int id) { return static_cast<char>('A' + id); }

}  // namespace quorvex
