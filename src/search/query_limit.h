#pragma once
// The longest query the bar searches: the query box's own limit, in UTF-16
// code units. Another program can put a longer text into the box (WM_SETTEXT
// ignores the limit); such a text is cut before it is searched.
#include <cstddef>
#include <string_view>

namespace quorvex {

constexpr std::size_t QueryMaxUnits = 100;

// The longest URL handed to the shell: Wine's shell faults on one of 1,000
// characters (Windows takes 2,083). A long template leaves the query less
// room; the query is then cut further, a whole character at a time.
constexpr std::size_t UrlMaxChars = 999;

// The length of `text` cut to at most `limit` UTF-16 units, one shorter where
// the cut would split a surrogate pair (a lone high surrogate is never left at
// the end).
template <typename Unit>
std::size_t QueryCutLength(std::basic_string_view<Unit> text, std::size_t limit = QueryMaxUnits) {
    static_assert(sizeof(Unit) == 2, "UTF-16 code units");
    if (text.size() <= limit) return text.size();
    if (limit == 0) return 0;
    const auto last = static_cast<unsigned>(text[limit - 1]);
    const auto next = static_cast<unsigned>(text[limit]);
    const bool splitsPair = last >= 0xD800 && last <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF;
    return splitsPair ? limit - 1 : limit;
}

}  // namespace quorvex
