#pragma once
// The rows of the suggestion list for the typed text: the history entries that
// begin with it first, then the service's suggestions.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

constexpr std::size_t SuggestHistoryRows = 3;
constexpr std::size_t SuggestServiceRows = 10;

struct TSuggestRow {
    std::u16string Text;
    bool FromHistory = false;
};

// Up to SuggestHistoryRows entries of `history` (newest first, as the box
// lists it) that begin with `typed`, ASCII letter case ignored, in that order
// and marked as history; then up to SuggestServiceRows of `suggestions` in
// their order, leaving out any equal (ASCII case ignored) to a row already
// there. Nothing for an empty or blank text (no unit above U+0020).
std::vector<TSuggestRow> SuggestRows(std::u16string_view typed, const std::vector<std::u16string>& history,
                                     const std::vector<std::u16string>& suggestions);

}  // namespace quorvex
