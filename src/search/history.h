#pragma once
// The query box's history list: index 0 is the most recent search, at most
// 20 entries.
//
// The update runs over any "box" (a text plus a list of items) so that the
// Windows side can apply it to the real drop-down box, whose edit text a list
// change may clear, and compare with the locale's case-insensitive rule.
// A Box offers:
//   Str Text() const;  void SetText(const Str&);
//   std::size_t Count() const;  Str Item(std::size_t) const;
//   void InsertItem(std::size_t index, const Str&);  void DeleteItem(std::size_t index);
#include <cstddef>
#include <string>
#include <vector>

namespace quorvex {

constexpr std::size_t HistoryMaxEntries = 20;

// Records the box's text at the top of its list:
//  - the first entry equal to it, letter case ignored (`sameText`), moves to
//    the top keeping its stored letter case; otherwise the text is inserted
//    at the top;
//  - a list that grew past 20 entries loses its last one (at most one);
//  - when the list change left the box's text empty (a drop-down box clears
//    its edit text when its selected item is deleted), the text is put back.
template <typename Box, typename SameText>
void AddToHistoryBox(Box& box, SameText sameText) {
    const auto remembered = box.Text();
    const std::size_t count = box.Count();
    std::size_t found = count;
    for (std::size_t i = 0; i < count; ++i) {
        if (sameText(box.Item(i), remembered)) {
            found = i;
            break;
        }
    }
    if (found == count) {
        box.InsertItem(0, remembered);
    } else if (found != 0) {
        const auto moved = box.Item(found);
        box.DeleteItem(found);
        box.InsertItem(0, moved);
    }
    if (box.Count() > HistoryMaxEntries) box.DeleteItem(HistoryMaxEntries);
    if (box.Text().empty()) box.SetText(remembered);
}

// The same over a plain list and text (the text is in/out).
template <typename Str, typename SameText>
void AddToHistory(std::vector<Str>& list, Str& boxText, SameText sameText) {
    struct VectorBox {
        std::vector<Str>& list;
        Str& text;
        Str Text() const { return text; }
        void SetText(const Str& s) { text = s; }
        std::size_t Count() const { return list.size(); }
        Str Item(std::size_t i) const { return list.at(i); }
        void InsertItem(std::size_t i, const Str& s) { list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), s); }
        void DeleteItem(std::size_t i) { list.erase(list.begin() + static_cast<std::ptrdiff_t>(i)); }
    } box{list, boxText};
    AddToHistoryBox(box, sameText);
}

// Ctrl+Delete: the list and the box's text become empty.
template <typename Str>
void ClearHistory(std::vector<Str>& list, Str& boxText) {
    list.clear();
    boxText.clear();
}

// The byte-string form (GBK texts), ASCII letter case ignored.
void AddToHistory(std::vector<std::string>& list, std::string& boxText);

}  // namespace quorvex
