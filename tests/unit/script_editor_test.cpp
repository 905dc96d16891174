#include "scripts/editor_rules.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tamblo::editor {
namespace {

TEST(EditorLayout, BoxesSitAtTheirTopsAndTheEndsOfTheRangeShowTheirBoxes) {
    const std::pair<int, int> tops[] = {{0, 600},   {12, 3480}, {13, 3960}, {15, 4920},
                                        {16, 5400}, {22, 6840}, {23, 7320}, {29, 8880}};
    for (const auto& [box, top] : tops) EXPECT_EQ(BoxTop(box), top) << "box " << box;
    EXPECT_THROW(BoxTop(30), std::out_of_range);
    EXPECT_THROW(BoxTop(-1), std::out_of_range);
    EXPECT_EQ(PanelTopPixels(ScrollMin), -24);
    EXPECT_EQ(PanelTopPixels(ScrollMax), -384);
    EXPECT_EQ(PanelTopPixels(-22), 1);
    const Band top = VisibleBand(ScrollMin), bottom = VisibleBand(ScrollMax);
    EXPECT_EQ(top.top, Headings[0].top);
    EXPECT_GE(top.bottom, BoxTop(12) + BoxHeight);
    EXPECT_LT(top.bottom, BoxTop(13));
    EXPECT_LT(BoxTop(17), bottom.top);  // closing box 2 cut at its top, box 3 whole
    EXPECT_GT(BoxTop(17) + BoxHeight, bottom.top);
    EXPECT_GE(BoxTop(18), bottom.top);
    EXPECT_EQ(bottom.bottom - (BoxTop(29) + BoxHeight), 90);
}

TEST(EditorScrolling, StepsAndPagesStayWithinTheRangeAndADraggedThumbCountsWhenReleased) {
    const std::tuple<int, ScrollAction, int, int> cases[] = {
        {360, ScrollAction::LineDown, 0, 480},       {480, ScrollAction::LineUp, 0, 360},
        {360, ScrollAction::LineUp, 0, 360},         {360, ScrollAction::PageDown, 0, 900},
        {900, ScrollAction::PageUp, 0, 360},         {5400, ScrollAction::PageDown, 0, 5760},
        {5700, ScrollAction::LineDown, 0, 5760},     {2000, ScrollAction::Top, 0, 360},
        {2000, ScrollAction::Bottom, 0, 5760},       {360, ScrollAction::ThumbTrack, 3000, 360},
        {360, ScrollAction::EndScroll, 3000, 360},   {360, ScrollAction::ThumbPosition, 3000, 3000},
        {360, ScrollAction::ThumbPosition, 9000, 5760}, {3000, ScrollAction::ThumbPosition, 0, 360},
    };
    for (const auto& [value, action, thumb, after] : cases)
        EXPECT_EQ(ScrollValueAfter(value, action, thumb), after) << value << " " << static_cast<int>(action);
}

TEST(EditorBoxes, EnterRunsThroughEveryBoxButTheCreditLineAndLineBreaksBecomeSpaces) {
    std::vector<int> visited{0};
    while (visited.size() <= BoxCount && NextInEnterCycle(visited.back()) != 0)
        visited.push_back(NextInEnterCycle(visited.back()));
    std::vector<int> expected{0};
    for (int box = 2; box < BoxCount; ++box) expected.push_back(box);
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(WithoutLineBreaks("one\r\ntwo\nthree\rfour  tab\t"), "one  two three four  tab\t");
}

}  // namespace
}  // namespace tamblo::editor
