#pragma once
// What the bar tells an accessibility client (a screen reader) about its
// controls: one element per control in screen order, its name, its keyboard
// shortcut and its state, and which change events a new look of the row
// calls for. The painted buttons have no windows of their own, so the bar
// answers for them; the query box is a real window and only gets its name.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "search/search_types.h"

namespace quorvex {

enum class TAccessibleKind { QueryBox, Category, SearchType, Setup, Help, Minimise, Close };

struct TAccessibleElementDef {
    TAccessibleKind Kind;
    int Category;             // 0..10 for TAccessibleKind::Category, else -1
    const char* ControlName;  // the bar's component ("cbxSearchText", "btnWeb", ...)
    std::string Name;         // UTF-8, also while the caption is hidden
    std::string Shortcut;     // UTF-8; empty: none
};

// Query box, eleven categories, drop, setup, help, minimise, close.
constexpr std::size_t AccessibleElementCount = 1 + SearchTypeCount + 5;

// The elements in the bar's screen order. A client's child id is the index + 1.
const std::array<TAccessibleElementDef, AccessibleElementCount>& BarAccessibleElements();

// Child id (1-based) of a control, or 0 when the bar has no such element.
int AccessibleChildOf(const char* controlName);

// How a control looks now, as far as a reader cares.
struct TAccessibleLook {
    bool Visible = true;
    bool Enabled = true;
    bool CaptionShown = true;  // category buttons: the caption is painted
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Description;  // the hint, UTF-8
};

using TAccessibleRow = std::array<TAccessibleLook, AccessibleElementCount>;

// The events a client needs to keep its view of the row true.
enum class TAccessibleEvent { NameChange, StateChange, DescriptionChange, Reorder };

struct TAccessibleNotice {
    TAccessibleEvent Event;
    int Child;  // 1-based child id; 0: the bar itself
};

// The notices for going from `before` to `after`: a painted caption shown or
// hidden is a name change (the reader's text of the button differs), a
// visibility or enabled change a state change, a new hint a description
// change, and any element shown, hidden or moved reorders the bar (once).
std::vector<TAccessibleNotice> AccessibleChanges(const TAccessibleRow& before, const TAccessibleRow& after);

// Navigation among the children (accNavigate). `from` is a 1-based child id.
enum class TAccessibleDirection { Next, Previous, First, Last };

// The visible child in that direction, or 0 when there is none. First and
// Last ignore `from`; Next/Previous of an unknown `from` find nothing.
int NavigateAccessible(const TAccessibleRow& row, int from, TAccessibleDirection direction);

}  // namespace quorvex
