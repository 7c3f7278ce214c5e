#include "search/suggest_rows.h"

#include <algorithm>

#include "search/suggest_reply.h"

namespace quorvex {
namespace {

bool IsBlank(std::u16string_view text) {
    return std::none_of(text.begin(), text.end(), [](char16_t u) { return u > 0x20; });
}

bool AlreadyListed(const std::vector<TSuggestRow>& rows, std::u16string_view text) {
    return std::any_of(rows.begin(), rows.end(),
                       [text](const TSuggestRow& row) { return SameTextAscii16(row.Text, text); });
}

}  // namespace

std::vector<TSuggestRow> SuggestRows(std::u16string_view typed, const std::vector<std::u16string>& history,
                                     const std::vector<std::u16string>& suggestions) {
    std::vector<TSuggestRow> rows;
    if (IsBlank(typed)) return rows;
    for (const std::u16string& entry : history) {
        if (rows.size() == SuggestHistoryRows) break;
        if (entry.size() >= typed.size() &&
            SameTextAscii16(std::u16string_view(entry).substr(0, typed.size()), typed) && !AlreadyListed(rows, entry))
            rows.push_back({entry, true});
    }
    std::size_t added = 0;
    for (const std::u16string& text : suggestions) {
        if (added == SuggestServiceRows) break;
        if (IsBlank(text) || AlreadyListed(rows, text)) continue;
        rows.push_back({text, false});
        ++added;
    }
    return rows;
}

}  // namespace quorvex
