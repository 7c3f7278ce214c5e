#include "bar/accessible_elements.h"

#include <cstring>

namespace quorvex {
namespace {

std::array<TAccessibleElementDef, AccessibleElementCount> MakeElements() {
    std::array<TAccessibleElementDef, AccessibleElementCount> e{};
    std::size_t n = 0;
    e[n++] = {TAccessibleKind::QueryBox, -1, "cbxSearchText", "搜索关键词", ""};
    for (int i = 0; i < SearchTypeCount; ++i) {
        std::string shortcut = "Alt+";
        shortcut += AltLetter(i);
        e[n++] = {TAccessibleKind::Category, i, SearchButtonName(i), SearchTypes[static_cast<std::size_t>(i)].Caption,
                  shortcut};
    }
    e[n++] = {TAccessibleKind::SearchType, -1, "btnSearchType", "选择搜索类型", ""};
    e[n++] = {TAccessibleKind::Setup, -1, "btnSetup", "设置", "F5"};
    e[n++] = {TAccessibleKind::Help, -1, "btnHelp", "帮助", "F1"};
    e[n++] = {TAccessibleKind::Minimise, -1, "btnMin", "最小化", ""};
    e[n++] = {TAccessibleKind::Close, -1, "btnClose", "关闭", "Esc"};
    return e;
}

bool Moved(const TAccessibleLook& a, const TAccessibleLook& b) {
    return a.Left != b.Left || a.Top != b.Top || a.Width != b.Width || a.Height != b.Height;
}

}  // namespace

const std::array<TAccessibleElementDef, AccessibleElementCount>& BarAccessibleElements() {
    static const auto elements = MakeElements();
    return elements;
}

int AccessibleChildOf(const char* controlName) {
    const auto& elements = BarAccessibleElements();
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (std::strcmp(elements[i].ControlName, controlName) == 0) return static_cast<int>(i) + 1;
    return 0;
}

std::vector<TAccessibleNotice> AccessibleChanges(const TAccessibleRow& before, const TAccessibleRow& after) {
    std::vector<TAccessibleNotice> out;
    bool reorder = false;
    for (std::size_t i = 0; i < after.size(); ++i) {
        const TAccessibleLook& a = before[i];
        const TAccessibleLook& b = after[i];
        const int child = static_cast<int>(i) + 1;
        if (a.CaptionShown != b.CaptionShown) out.push_back({TAccessibleEvent::NameChange, child});
        if (a.Visible != b.Visible || a.Enabled != b.Enabled) out.push_back({TAccessibleEvent::StateChange, child});
        if (a.Description != b.Description) out.push_back({TAccessibleEvent::DescriptionChange, child});
        // A hidden control keeps its old place: only a shown one's move counts.
        if (a.Visible != b.Visible || (b.Visible && Moved(a, b))) reorder = true;
    }
    if (reorder) out.push_back({TAccessibleEvent::Reorder, 0});
    return out;
}

int NavigateAccessible(const TAccessibleRow& row, int from, TAccessibleDirection direction) {
    const int count = static_cast<int>(row.size());
    int at = 0;
    int step = 1;
    switch (direction) {
    case TAccessibleDirection::First:
        at = 1;
        break;
    case TAccessibleDirection::Last:
        at = count;
        step = -1;
        break;
    case TAccessibleDirection::Next:
    case TAccessibleDirection::Previous:
        if (from < 1 || from > count) return 0;
        step = direction == TAccessibleDirection::Next ? 1 : -1;
        at = from + step;
        break;
    }
    for (; at >= 1 && at <= count; at += step)
        if (row[static_cast<std::size_t>(at - 1)].Visible) return at;
    return 0;
}

}  // namespace quorvex
