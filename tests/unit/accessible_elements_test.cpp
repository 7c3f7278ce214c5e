// What the bar tells a screen reader: the element table, the change notices
// and the navigation among the children.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "bar/accessible_elements.h"
#include "bar/key_commands.h"
#include "search/search_types.h"

namespace quorvex {
namespace {

TEST(AccessibleElementsTest, ScreenOrderNamesAndControls) {
    const auto& e = BarAccessibleElements();
    EXPECT_EQ(e.front().Kind, TAccessibleKind::QueryBox);
    EXPECT_EQ(e.front().Name, "搜索关键词");
    for (int i = 0; i < SearchTypeCount; ++i) {
        const auto& c = e[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(c.Kind, TAccessibleKind::Category);
        EXPECT_EQ(c.Category, i);
        EXPECT_EQ(c.Name, SearchTypes[static_cast<std::size_t>(i)].Caption);
        EXPECT_STREQ(c.ControlName, SearchButtonName(i));
        EXPECT_EQ(AccessibleChildOf(SearchButtonName(i)), i + 2);
    }
    EXPECT_EQ(e[1].Name, "网页");
    EXPECT_EQ(e[2].Name, "MP3");
    const char* rest[][2] = {{"btnSearchType", "选择搜索类型"},
                             {"btnSetup", "设置"},
                             {"btnHelp", "帮助"},
                             {"btnMin", "最小化"},
                             {"btnClose", "关闭"}};
    for (std::size_t i = 0; i < std::size(rest); ++i) {
        const auto& c = e[1 + SearchTypeCount + i];
        EXPECT_STREQ(c.ControlName, rest[i][0]);
        EXPECT_EQ(c.Name, rest[i][1]);
    }
    EXPECT_EQ(AccessibleChildOf("imgLeft"), 0);
    EXPECT_EQ(AccessibleChildOf(""), 0);
}

// Each advertised shortcut is one the bar's key table really answers with
// that control's command; the others advertise none.
TEST(AccessibleElementsTest, ShortcutsAreTheKeysThatWork) {
    for (const auto& e : BarAccessibleElements()) {
        SCOPED_TRACE(e.ControlName);
        TBarKeyAction action;
        if (e.Shortcut.rfind("Alt+", 0) == 0) {
            ASSERT_EQ(e.Shortcut.size(), 5u);
            action = BarKeyAction(static_cast<unsigned char>(e.Shortcut[4]), KeyAlt);
        } else if (e.Shortcut == "F1") {
            action = BarKeyAction(VkF1, 0);
        } else if (e.Shortcut == "F5") {
            action = BarKeyAction(VkF5, 0);
        } else if (e.Shortcut == "Esc") {
            action = BarKeyAction(VkEscape, 0);
        } else {
            EXPECT_EQ(e.Shortcut, "");
            EXPECT_TRUE(e.Kind == TAccessibleKind::QueryBox || e.Kind == TAccessibleKind::SearchType ||
                        e.Kind == TAccessibleKind::Minimise);
            continue;
        }
        switch (e.Kind) {
        case TAccessibleKind::Category:
            EXPECT_EQ(action.Command, TBarCommand::Category);
            EXPECT_EQ(action.Category, e.Category);
            break;
        case TAccessibleKind::Setup:
            EXPECT_EQ(action.Command, TBarCommand::Setup);
            break;
        case TAccessibleKind::Help:
            EXPECT_EQ(action.Command, TBarCommand::Help);
            break;
        case TAccessibleKind::Close:
            EXPECT_EQ(action.Command, TBarCommand::Close);
            break;
        default:
            ADD_FAILURE() << "unexpected shortcut " << e.Shortcut;
        }
    }
}

TAccessibleRow Row() {
    TAccessibleRow row{};
    int x = 0;
    for (auto& look : row) {
        look.Left = x;
        look.Width = 20;
        x += 21;
    }
    return row;
}

bool Has(const std::vector<TAccessibleNotice>& notices, TAccessibleEvent event, int child) {
    return std::any_of(notices.begin(), notices.end(),
                       [&](const TAccessibleNotice& n) { return n.Event == event && n.Child == child; });
}

TEST(AccessibleElementsTest, ChangesNameTheEventsOnce) {
    const TAccessibleRow before = Row();
    EXPECT_TRUE(AccessibleChanges(before, before).empty());

    // Captions hidden: every category's text changes and the row moves.
    TAccessibleRow after = before;
    for (int c = 2; c <= 12; ++c) {
        after[static_cast<std::size_t>(c - 1)].CaptionShown = false;
        after[static_cast<std::size_t>(c - 1)].Left += c;
    }
    auto n = AccessibleChanges(before, after);
    for (int c = 2; c <= 12; ++c) EXPECT_TRUE(Has(n, TAccessibleEvent::NameChange, c)) << c;
    EXPECT_EQ(std::count_if(n.begin(), n.end(), [](auto& x) { return x.Event == TAccessibleEvent::Reorder; }), 1);
    EXPECT_TRUE(Has(n, TAccessibleEvent::Reorder, 0));
    EXPECT_FALSE(Has(n, TAccessibleEvent::StateChange, 2));

    // A button hidden, another disabled, a hint changed.
    after = before;
    after[4].Visible = false;
    after[5].Enabled = false;
    after[6].Description = "在必应中搜索新闻";
    n = AccessibleChanges(before, after);
    EXPECT_TRUE(Has(n, TAccessibleEvent::StateChange, 5));
    EXPECT_TRUE(Has(n, TAccessibleEvent::StateChange, 6));
    EXPECT_TRUE(Has(n, TAccessibleEvent::DescriptionChange, 7));
    EXPECT_TRUE(Has(n, TAccessibleEvent::Reorder, 0));
    EXPECT_EQ(n.size(), 4u);

    // A hidden control whose stale bounds differ moves nothing a reader sees;
    // a disabled one reorders nothing.
    TAccessibleRow hidden = before;
    hidden[4].Visible = false;
    TAccessibleRow hiddenMoved = hidden;
    hiddenMoved[4].Left = 500;
    EXPECT_TRUE(AccessibleChanges(hidden, hiddenMoved).empty());
    after = before;
    after[3].Enabled = false;
    EXPECT_FALSE(Has(AccessibleChanges(before, after), TAccessibleEvent::Reorder, 0));
}

TEST(AccessibleElementsTest, NavigationSkipsHiddenChildren) {
    TAccessibleRow row = Row();
    const int last = static_cast<int>(AccessibleElementCount);
    row[0].Visible = false;                                   // query box
    row[2].Visible = false;                                   // MP3
    row[static_cast<std::size_t>(last - 1)].Visible = false;  // close
    EXPECT_EQ(NavigateAccessible(row, 0, TAccessibleDirection::First), 2);
    EXPECT_EQ(NavigateAccessible(row, 0, TAccessibleDirection::Last), last - 1);
    EXPECT_EQ(NavigateAccessible(row, 2, TAccessibleDirection::Next), 4);
    EXPECT_EQ(NavigateAccessible(row, 4, TAccessibleDirection::Previous), 2);
    EXPECT_EQ(NavigateAccessible(row, 2, TAccessibleDirection::Previous), 0);
    EXPECT_EQ(NavigateAccessible(row, last - 1, TAccessibleDirection::Next), 0);
    EXPECT_EQ(NavigateAccessible(row, 0, TAccessibleDirection::Next), 0);
    EXPECT_EQ(NavigateAccessible(row, last + 1, TAccessibleDirection::Previous), 0);
    for (auto& look : row) look.Visible = false;
    EXPECT_EQ(NavigateAccessible(row, 0, TAccessibleDirection::First), 0);
}

}  // namespace
}  // namespace quorvex
