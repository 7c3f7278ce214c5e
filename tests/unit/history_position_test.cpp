// The query history list and the stored bar position.
#include <gtest/gtest.h>

#include <climits>
#include <cwctype>

#include "base/error.h"
#include "config/position.h"
#include "search/history.h"

namespace quorvex {
namespace {

using List = std::vector<std::string>;

TEST(HistoryList, NewTextsGoOnTopAndRepeatsMoveUp) {
    List list;
    std::string box = "abc";
    AddToHistory(list, box);
    box = "xyz";
    AddToHistory(list, box);
    EXPECT_EQ(list, (List{"xyz", "abc"}));
    box = "abc";
    AddToHistory(list, box);
    EXPECT_EQ(list, (List{"abc", "xyz"}));
    AddToHistory(list, box);
    EXPECT_EQ(list, (List{"abc", "xyz"})) << "the same text twice leaves one entry";
    // A text differing only in letter case moves the listed entry, which keeps its case.
    box = "XYZ";
    AddToHistory(list, box);
    EXPECT_EQ(list, (List{"xyz", "abc"}));
    EXPECT_EQ(box, "XYZ");
}

TEST(HistoryList, KeepsAtMostTwentyEntries) {
    List list;
    for (int i = 0; i < 20; ++i) list.push_back("q" + std::to_string(i));  // q0 on top
    std::string box = "q19";                                               // listed: moves, nothing dropped
    AddToHistory(list, box);
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list.front(), "q19");
    EXPECT_EQ(list.back(), "q18");
    box = "new";
    AddToHistory(list, box);
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list.front(), "new");
    EXPECT_EQ(list.back(), "q17") << "the oldest entry is dropped";
    EXPECT_EQ(list[1], "q19");
}

// A drop-down box whose edit text is cleared when its selected item is
// deleted, as the platform's box does.
struct SelectingBox {
    List items;
    std::string text;
    int selected = -1;
    int setTextCalls = 0;
    std::string Text() const { return text; }
    void SetText(const std::string& s) {
        text = s;
        ++setTextCalls;
    }
    std::size_t Count() const { return items.size(); }
    std::string Item(std::size_t i) const { return items.at(i); }
    void InsertItem(std::size_t i, const std::string& s) {
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(i), s);
        if (selected >= static_cast<int>(i)) ++selected;
    }
    void DeleteItem(std::size_t i) {
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        if (selected == static_cast<int>(i)) {
            selected = -1;
            text.clear();
        } else if (selected > static_cast<int>(i)) {
            --selected;
        }
    }
};

TEST(HistoryList, TextClearedByTheListChangeIsPutBack) {
    auto ci = [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; };
    SelectingBox box{{"one", "two", "three"}, "two", 1};
    AddToHistoryBox(box, ci);
    EXPECT_EQ(box.items, (List{"two", "one", "three"}));
    EXPECT_EQ(box.text, "two");
    EXPECT_EQ(box.setTextCalls, 1);
    // A text that survives the change is left alone (not replaced by the listed case).
    SelectingBox typed{{"one", "Two"}, "TWO", -1};
    AddToHistoryBox(typed, ci);
    EXPECT_EQ(typed.items, (List{"Two", "one"}));
    EXPECT_EQ(typed.text, "TWO");
    EXPECT_EQ(typed.setTextCalls, 0);
}

TEST(HistoryList, WorksOnWideTextsWithTheCallersComparison) {
    std::vector<std::wstring> list = {L"\u4E2D\u6587", L"abc"};
    std::wstring box = L"ABC";
    AddToHistory(list, box, [](const std::wstring& a, const std::wstring& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::towlower(a[i]) != std::towlower(b[i])) return false;
        return true;
    });
    EXPECT_EQ(list, (std::vector<std::wstring>{L"abc", L"\u4E2D\u6587"}));
    ClearHistory(list, box);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(box.empty());
}

TEST(StoredPosition, SavedInThousandthsTruncatedTowardZero) {
    struct Case {
        int left, top, w, h, wantLeft, wantTop;
    };
    const Case cases[] = {
        {640, 400, 1280, 800, 500, 500}, {1279, 799, 1280, 800, 999, 998},
        {0, 0, 1280, 800, 0, 0},         {-1, -1, 1280, 1001, 0, 0},  // less than a thousandth off: stays 0
        {-2, -80, 1280, 800, -1, -100},  // off by a thousandth or more: "not set" next time
        {3000, 0, 1280, 800, 2343, 0},
    };
    for (const Case& c : cases) {
        const TStoredPosition p = SavePosition(c.left, c.top, c.w, c.h);
        EXPECT_EQ(p.Left, c.wantLeft) << c.left;
        EXPECT_EQ(p.Top, c.wantTop) << c.top;
    }
    EXPECT_THROW(SavePosition(0, 0, 0, 800), RangeError);
    EXPECT_THROW(SavePosition(0, 0, 1280, -1), RangeError);
    EXPECT_THROW(SavePosition(INT_MAX, 0, 1, 1), RangeError) << "beyond 32 bits";
    EXPECT_EQ(SavePosition(INT_MIN, 0, 1280, 800).Left, static_cast<std::int32_t>(INT_MIN * 1000LL / 1280));
}

TEST(StoredPosition, RestoredExactlyWhileTheBarIsOnScreen) {
    const int w = 1280, h = 800, barW = 300, barH = 55;
    for (int t = 0; t <= 1000; ++t) {
        const TPixelPosition p = RestorePosition(t, t, w, h, barW, barH);
        const int plainLeft = w * t / 1000, plainTop = h * t / 1000;
        if (plainLeft + barW <= w) EXPECT_EQ(p.Left, plainLeft) << t;
        else EXPECT_EQ(p.Left, w - barW) << t;
        if (plainTop + barH <= h) EXPECT_EQ(p.Top, plainTop) << t;
        else EXPECT_EQ(p.Top, h - barH) << t;
    }
    // A position saved and restored comes back within a pixel.
    const TStoredPosition s = SavePosition(977, 333, w, h);
    const TPixelPosition p = RestorePosition(s.Left, s.Top, w, h, barW, barH);
    EXPECT_EQ(p.Left, 976);
    EXPECT_EQ(p.Top, 332);
}

TEST(StoredPosition, HandEditedValuesNeitherOverflowNorLeaveTheScreen) {
    TPixelPosition p = RestorePosition(INT_MAX, INT_MAX, 1280, 800, 300, 55);
    EXPECT_EQ(p.Left, 980);
    EXPECT_EQ(p.Top, 745);
    p = RestorePosition(INT_MAX, 2000000, INT_MAX, INT_MAX, 300, 55);
    EXPECT_EQ(p.Left, INT_MAX - 300);
    EXPECT_EQ(p.Top, INT_MAX - 55);
    p = RestorePosition(INT_MIN, -5, 1280, 800, 300, 55);
    EXPECT_EQ(p.Left, 0);
    EXPECT_EQ(p.Top, 0);
    // A bar wider than the screen starts at its left edge.
    p = RestorePosition(500, 500, 1280, 800, 2000, 55);
    EXPECT_EQ(p.Left, 0);
    EXPECT_EQ(p.Top, 400);
}

}  // namespace
}  // namespace quorvex
