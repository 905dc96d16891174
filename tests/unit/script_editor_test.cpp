#include "scripts/editor_rules.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tamblo::editor {
namespace {

constexpr int AskForBox = 13;
constexpr int ListHeadBox = 15;
constexpr int FirstCloseBox = 16;
constexpr int FirstWinnerBox = 23;
constexpr int LastBox = 29;

TEST(EditorLayout, BoxesSitAtTheirTops) {
    const std::vector<std::pair<int, int>> tops = {
        {0, 600},       {1, 840},       {12, 3480},     {AskForBox, 3960}, {14, 4440}, {ListHeadBox, 4920},
        {FirstCloseBox, 5400}, {22, 6840}, {FirstWinnerBox, 7320}, {27, 8280}, {28, 8640}, {LastBox, 8880}};
    for (const auto& [box, top] : tops) EXPECT_EQ(BoxTop(box), top) << "box " << box;
    EXPECT_THROW(BoxTop(30), std::out_of_range);
    EXPECT_LE(BoxTop(LastBox) + BoxHeight, PanelHeight);
}

bool Inside(int top, int height, Band band) { return top >= band.top && top + height <= band.bottom; }
bool Cut(int top, int height, Band band) {
    return !Inside(top, height, band) && top < band.bottom && top + height > band.top;
}

TEST(EditorScrolling, AtTheTopTheOpeningLinesShow) {
    const Band band = VisibleBand(ScrollMin);
    EXPECT_EQ(PanelTopPixels(ScrollMin), -24);
    EXPECT_EQ(band.top, Headings[0].top);  // "Opening Text" at the viewport's top
    for (int box = 0; box <= 12; ++box) EXPECT_TRUE(Inside(BoxTop(box), BoxHeight, band)) << "box " << box;
    EXPECT_TRUE(Cut(Headings[1].top, HeadingHeight, band));  // "Ask For $ to Register", its upper part
    EXPECT_GE(BoxTop(AskForBox), band.bottom);
}

TEST(EditorScrolling, AtTheBottomTheClosingAndWinnerLinesShow) {
    const Band band = VisibleBand(ScrollMax);
    EXPECT_EQ(PanelTopPixels(ScrollMax), -384);
    EXPECT_EQ(band.bottom, 9255);
    EXPECT_TRUE(Cut(BoxTop(FirstCloseBox + 1), BoxHeight, band));  // CloseText box 2, cut at its top
    EXPECT_LT(BoxTop(FirstCloseBox + 1), band.top);
    for (int box = FirstCloseBox + 2; box <= LastBox; ++box)
        EXPECT_TRUE(Inside(BoxTop(box), BoxHeight, band)) << "box " << box;
    EXPECT_TRUE(Inside(Headings[5].top, HeadingHeight, band));
    EXPECT_EQ(band.bottom - (BoxTop(LastBox) + BoxHeight), 90);
}

TEST(EditorScrolling, StepsAndPagesStayWithinTheRange) {
    EXPECT_EQ(ScrollValueAfter(360, ScrollAction::LineDown), 480);
    EXPECT_EQ(ScrollValueAfter(480, ScrollAction::LineUp), 360);
    EXPECT_EQ(ScrollValueAfter(360, ScrollAction::LineUp), 360);
    EXPECT_EQ(ScrollValueAfter(360, ScrollAction::PageDown), 900);
    EXPECT_EQ(ScrollValueAfter(900, ScrollAction::PageUp), 360);
    EXPECT_EQ(ScrollValueAfter(5400, ScrollAction::PageDown), 5760);
    EXPECT_EQ(ScrollValueAfter(700, ScrollAction::PageUp), 360);
    EXPECT_EQ(ScrollValueAfter(5700, ScrollAction::LineDown), 5760);
    EXPECT_EQ(ScrollValueAfter(2000, ScrollAction::Top), 360);
    EXPECT_EQ(ScrollValueAfter(2000, ScrollAction::Bottom), 5760);
    // Ten pages from the top reach the bottom: the maximum is reachable.
    int value = ScrollMin;
    for (int i = 0; i < 10; ++i) value = ScrollValueAfter(value, ScrollAction::PageDown);
    EXPECT_EQ(value, ScrollMax);
}

TEST(EditorScrolling, ADraggedThumbCountsOnlyWhenReleased) {
    EXPECT_EQ(ScrollValueAfter(360, ScrollAction::ThumbTrack, 3000), 360);
    EXPECT_EQ(ScrollValueAfter(360, ScrollAction::EndScroll, 3000), 360);
    EXPECT_EQ(ScrollValueAfter(360, ScrollAction::ThumbPosition, 3000), 3000);
    EXPECT_EQ(ScrollValueAfter(360, ScrollAction::ThumbPosition, 9000), 5760);
    EXPECT_EQ(ScrollValueAfter(3000, ScrollAction::ThumbPosition, 0), 360);
}

TEST(EditorEnterCycle, RunsThroughEveryBoxButTheCreditLine) {
    std::vector<int> visited;
    int box = 0;
    do {
        visited.push_back(box);
        box = NextInEnterCycle(box);
    } while (box != 0 && visited.size() <= BoxCount);
    ASSERT_EQ(visited.size(), BoxCount - 1u);
    EXPECT_EQ(visited[1], 2);  // opening box 1 goes straight to box 3
    for (size_t i = 2; i < visited.size(); ++i) EXPECT_EQ(visited[i], static_cast<int>(i) + 1);
    EXPECT_EQ(NextInEnterCycle(LastBox), 0);  // WinnerText box 7 to OpeningText box 1
    EXPECT_EQ(NextInEnterCycle(ListHeadBox), FirstCloseBox);
    EXPECT_EQ(NextInEnterCycle(12), AskForBox);
}

TEST(EditorLineBreaks, EachCarriageReturnAndLineFeedBecomesASpace) {
    EXPECT_EQ(WithoutLineBreaks("one\r\ntwo\nthree\rfour"), "one  two three four");
    EXPECT_EQ(WithoutLineBreaks("\r\n"), "  ");
    EXPECT_EQ(WithoutLineBreaks("  tab\there  "), "  tab\there  ");
    EXPECT_EQ(WithoutLineBreaks(""), "");
}

}  // namespace
}  // namespace tamblo::editor
