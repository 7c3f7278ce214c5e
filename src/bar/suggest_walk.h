#pragma once
// The open suggestion list's keyboard walk and the part of a row it stresses.
#include <cstddef>
#include <string_view>

namespace quorvex {

// No row highlighted: the box shows what was typed.
constexpr int SuggestTypedText = -1;

// The row Down (`down`) or Up highlights next among `rows` from `current`:
// Down from the typed text goes to the first row and stops at the last; Up
// from the first row goes back to the typed text and stays there.
int NextSuggestRow(int current, int rows, bool down);

// Where the stressed part of `row` begins: after the typed text when the row
// begins with it (ASCII letter case ignored), else at 0 (the whole row).
std::size_t SuggestStressFrom(std::u16string_view row, std::u16string_view typed);

}  // namespace quorvex
