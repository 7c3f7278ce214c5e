// The bar's portable arithmetic: row layout, default placement, key table,
// hints and the help text.
#include <gtest/gtest.h>

#include "bar/hints.h"
#include "bar/key_commands.h"
#include "bar/layout.h"
#include "bar/placement.h"
#include "base/error.h"
#include "widgets/help_text.h"

namespace quorvex {
namespace {

TLayoutInput AllPresent(int mode, std::int32_t mask, bool captions, bool help) {
    TLayoutInput in;
    in.ButtonMode = mode;
    in.ButtonMask = mask;
    in.ShowCaption = captions;
    in.ShowHelp = help;
    in.CategoryExists.fill(true);
    in.ScreenWidth = 1280;
    return in;
}

TEST(LayoutTest, WindowWidthsOfTheDisplayModes) {
    struct Row {
        int mode;
        std::int32_t mask;
        bool captions, help;
        int width;
    } rows[] = {
        {bmShowCompact, 1, true, true, 256},
        {bmShowCompact, 1, false, true, 221},
        {bmShowAll, 2047, true, true, 802},
        {bmShowAll, 2047, false, false, 394},
        {bmShowCustom, 1 | 4 | 1024, true, true, 354},
        {bmShowCustom, 0, true, true, 186},
        {bmShowCustom, 0, true, false, 163},
    };
    for (const Row& r : rows) {
        const TLayout l = ArrangeButtonsLayout(AllPresent(r.mode, r.mask, r.captions, r.help));
        EXPECT_EQ(l.WindowWidth, r.width)
            << "mode " << r.mode << " mask " << r.mask << " captions " << r.captions << " help " << r.help;
    }
}

TEST(LayoutTest, RowOrderAndPositionsInCustomMode) {
    // Bits 1, 4 and 1024: web, lyric, software in table order.
    const TLayout l = ArrangeButtonsLayout(AllPresent(bmShowCustom, 1 | 4 | 1024, true, true));
    std::vector<int> shown;
    for (int i = 0; i < SearchTypeCount; ++i) {
        const TLayoutSlot& s = l.Categories[static_cast<std::size_t>(i)];
        EXPECT_TRUE(s.Arranged);
        if (s.Visible) {
            shown.push_back(i);
            EXPECT_EQ(s.Width, 55);
            EXPECT_TRUE(s.HasCaption);
        }
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 2, 10}));
    EXPECT_EQ(l.Categories[0].Left, 130);
    EXPECT_EQ(l.Categories[2].Left, 186);
    EXPECT_EQ(l.Categories[10].Left, 242);
    EXPECT_FALSE(l.SearchType.Visible);
    EXPECT_EQ(l.Setup.Left, 298);
    EXPECT_EQ(l.Help.Left, 321);
    EXPECT_EQ(l.WindowWidth, 354);
}

TEST(LayoutTest, CompactShowsTheDropButtonAndNarrowButtonsLoseCaptions) {
    const TLayout l = ArrangeButtonsLayout(AllPresent(bmShowCompact, 8, false, true));
    EXPECT_TRUE(l.Categories[3].Visible);
    EXPECT_EQ(l.Categories[3].Width, 20);
    EXPECT_FALSE(l.Categories[3].HasCaption);
    EXPECT_FALSE(l.Categories[0].Visible);
    EXPECT_TRUE(l.SearchType.Visible);
    EXPECT_EQ(l.SearchType.Left, 151);
    EXPECT_EQ(l.SearchType.Width, 13);
    EXPECT_EQ(l.Setup.Left, 165);
}

TEST(LayoutTest, MissingControlsAndUnknownModes) {
    TLayoutInput in = AllPresent(bmShowAll, 2047, true, true);
    in.CategoryExists[1] = false;
    in.HelpExists = false;
    TLayout l = ArrangeButtonsLayout(in);
    EXPECT_FALSE(l.Categories[1].Arranged);
    EXPECT_FALSE(l.Help.Arranged);
    EXPECT_EQ(l.WindowWidth, 130 + 10 * 56 + 23 + 10);
    // Any other mode leaves the category buttons alone.
    l = ArrangeButtonsLayout(AllPresent(7, 2047, true, true));
    for (const auto& s : l.Categories) EXPECT_FALSE(s.Arranged);
    EXPECT_FALSE(l.SearchType.Visible);
    EXPECT_EQ(l.WindowWidth, 130 + 23 + 23 + 10);
}

TEST(LayoutTest, RightScreenEdgeRule) {
    TLayoutInput in = AllPresent(bmShowAll, 2047, true, true);
    in.WindowLeft = 1000;
    EXPECT_EQ(ArrangeButtonsLayout(in).WindowLeft, 1280 - 802);  // grows: pulled left to the edge
    in.WindowLeft = 478;
    EXPECT_EQ(ArrangeButtonsLayout(in).WindowLeft, 478);  // exactly at the edge: stays
    in = AllPresent(bmShowCompact, 1, true, true);
    in.WindowLeft = 1000;
    EXPECT_EQ(ArrangeButtonsLayout(in).WindowLeft, 1000);  // shrinks: stays
    in = AllPresent(bmShowAll, 2047, true, true);
    in.ScreenWidth = 640;
    EXPECT_EQ(ArrangeButtonsLayout(in).WindowLeft, 640 - 802);  // wider than the screen: negative
}

constexpr int SW = 1280, SH = 800, W = 256, H = 55;

TPointI Place(TRectI r, int w = W) {
    auto p = PlaceNearTaskbar(r, SW, SH, w, H);
    EXPECT_TRUE(p.has_value());
    return p.value_or(TPointI{-999, -999});
}

TEST(PlacementTest, TaskbarAtEachEdge) {
    TPointI p = Place({0, 760, 1280, 800});  // bottom
    EXPECT_EQ(p.X, 1280 - 256 - 20);
    EXPECT_EQ(p.Y, 760 - 55 - 80);
    p = Place({-2, -2, 1282, 40});  // top, partly off screen
    EXPECT_EQ(p.X, 1282 - 256 - 20);
    EXPECT_EQ(p.Y, 40);
    p = Place({-2, -2, 60, 802});  // left
    EXPECT_EQ(p.X, 60);
    EXPECT_EQ(p.Y, (800 - 55) / 2);
    p = Place({1220, -2, 1282, 802});  // right
    EXPECT_EQ(p.X, 1220 - 256 - 20);
    EXPECT_EQ(p.Y, 372);
}

TEST(PlacementTest, NegativeLeftBecomesZero) {
    TPointI p = Place({0, 760, 200, 800});
    EXPECT_EQ(p.X, 0);
    EXPECT_EQ(p.Y, 625);
}

TEST(PlacementTest, TaskbarsStartingAtZeroKeepTheBarOnScreen) {
    // A top taskbar starting at y = 0: below it, not above the screen.
    TPointI p = Place({0, 0, 1280, 30});
    EXPECT_EQ(p.X, 1004);
    EXPECT_EQ(p.Y, 30);
    // Side taskbars starting at y = 0.
    p = Place({0, 0, 60, 800});
    EXPECT_EQ(p.X, 60);
    EXPECT_EQ(p.Y, 372);
    p = Place({1220, 0, 1280, 800});
    EXPECT_EQ(p.X, 944);
    EXPECT_EQ(p.Y, 372);
    // A taskbar filling the screen: still on the screen.
    p = Place({0, 0, 1280, 800});
    EXPECT_GE(p.Y, 0);
    EXPECT_LE(p.Y + H, SH);
    EXPECT_GE(p.X, 0);
    EXPECT_LE(p.X + W, SW);
}

TEST(PlacementTest, PositionsOffTheScreenArePulledBack) {
    TPointI p = Place({0, 760, 1400, 800});  // taskbar wider than the screen
    EXPECT_EQ(p.X, 1280 - 256);
    p = Place({0, 100, 1280, 140});  // bottom rule gives a negative top
    EXPECT_EQ(p.Y, 0);
    p = Place({0, 760, 1280, 800}, 1400);  // bar wider than the screen
    EXPECT_EQ(p.X, 0);
}

TEST(PlacementTest, NoTaskbarOrAnEmptyRectangleLeavesTheBarAlone) {
    EXPECT_FALSE(PlaceNearTaskbar(std::nullopt, SW, SH, W, H).has_value());
    EXPECT_FALSE(PlaceNearTaskbar(TRectI{0, 0, 0, 0}, SW, SH, W, H).has_value());
    EXPECT_FALSE(PlaceNearTaskbar(TRectI{10, 760, 10, 800}, SW, SH, W, H).has_value());
}

TEST(PlacementTest, OverflowIsAnError) {
    EXPECT_THROW(PlaceNearTaskbar(TRectI{-2147483647 - 1, 760, -2147483647, 800}, SW, SH, W, H), RangeError);
}

TEST(KeyTest, BarKeys) {
    EXPECT_EQ(BarKeyAction(VkEscape, 0).Command, TBarCommand::Close);
    EXPECT_EQ(BarKeyAction(VkEscape, KeyShift).Command, TBarCommand::Close);
    EXPECT_EQ(BarKeyAction(VkDelete, KeyCtrl).Command, TBarCommand::ClearHistory);
    EXPECT_EQ(BarKeyAction(VkDelete, KeyCtrl | KeyShift).Command, TBarCommand::None);
    EXPECT_EQ(BarKeyAction(VkDelete, KeyCtrl | KeyAlt).Command, TBarCommand::None);
    EXPECT_EQ(BarKeyAction(VkDelete, 0).Command, TBarCommand::None);
    EXPECT_EQ(BarKeyAction(VkDelete, KeyAlt).Command, TBarCommand::None);
    EXPECT_EQ(BarKeyAction(VkF1, KeyCtrl).Command, TBarCommand::Help);
    EXPECT_EQ(BarKeyAction(VkF5, 0).Command, TBarCommand::Setup);
    for (unsigned k = VkA; k <= VkK; ++k) {
        const TBarKeyAction a = BarKeyAction(k, KeyAlt | KeyCtrl);
        EXPECT_EQ(a.Command, TBarCommand::Category);
        EXPECT_EQ(a.Category, static_cast<int>(k - VkA));
    }
    EXPECT_EQ(BarKeyAction('L', KeyAlt).Command, TBarCommand::None);
    EXPECT_EQ(BarKeyAction('A', KeyCtrl).Command, TBarCommand::None);
    EXPECT_EQ(BarKeyAction('A', 0).Command, TBarCommand::None);
}

TEST(KeyTest, QueryBoxKeys) {
    EXPECT_EQ(QueryBoxKeyAction(VkReturn, 0), TQueryBoxCommand::SearchFirstVisible);
    EXPECT_EQ(QueryBoxKeyAction(VkReturn, KeyCtrl | KeyShift), TQueryBoxCommand::SearchFirstVisible);
    EXPECT_EQ(QueryBoxKeyAction('A', KeyCtrl), TQueryBoxCommand::SelectAll);
    EXPECT_EQ(QueryBoxKeyAction('A', KeyCtrl | KeyShift), TQueryBoxCommand::SelectAll);
    EXPECT_EQ(QueryBoxKeyAction('A', 0), TQueryBoxCommand::None);
    EXPECT_EQ(QueryBoxKeyAction('B', KeyCtrl), TQueryBoxCommand::None);
}

// Every category's hint: Categories.EachHasItsButtonHintAndServiceUrl.
TEST(HintTest, CategoryHintsOutsideTheTableAreRefused) {
    EXPECT_THROW(CategoryHint(11), RangeError);
    EXPECT_THROW(CategoryHint(-1), RangeError);
}

TEST(HelpTextTest, TwelveExactLines) {
    const std::string text = HelpText();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Lumetra");
    EXPECT_NE(lines[1].find("Ostravane"), std::string::npos);
    EXPECT_NE(lines[1].find("Copyright"), std::string::npos);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "在文本框中输入关键词，点击按钮在因特网上查找对应的信息。");
    EXPECT_EQ(lines[4], "(因特网搜索通过百度搜索引擎进行)");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "快捷键:");
    EXPECT_EQ(lines[7], "F1\t\t-  帮助");
    EXPECT_EQ(lines[8], "F5\t\t-  设置");
    EXPECT_EQ(lines[9], "Esc\t\t-  退出");
    EXPECT_EQ(lines[10], "Enter\t\t-  搜索");
    EXPECT_EQ(lines[11], "Ctrl+Delete\t-  清除搜索历史");
    // No stray line feeds or carriage returns inside the lines.
    for (const auto& l : lines) EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvex
