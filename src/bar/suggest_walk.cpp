#include "bar/suggest_walk.h"

#include "search/user_engines.h"  // SameTextAscii16

namespace quorvex {

int NextSuggestRow(int current, int rows, bool down) {
    if (rows <= 0) return SuggestTypedText;
    if (current < SuggestTypedText || current >= rows) current = SuggestTypedText;
    if (down) return current + 1 < rows ? current + 1 : rows - 1;
    return current > SuggestTypedText ? current - 1 : SuggestTypedText;
}

std::size_t SuggestStressFrom(std::u16string_view row, std::u16string_view typed) {
    if (typed.empty() || row.size() < typed.size()) return 0;
    return SameTextAscii16(row.substr(0, typed.size()), typed) ? typed.size() : 0;
}

}  // namespace quorvex
