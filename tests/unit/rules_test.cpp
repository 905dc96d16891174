// The small rules, table by table: the console's, the link's, the text
// rules' and the script editor's. What they do on a program with fakes is
// in the scripted cases (cases/).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

#include "common/text_rules.h"
#include "console/console.h"
#include "common/platform.h"
#include "link/library_callbacks.h"
#include "scripts/editor_rules.h"

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;
using namespace editor;

TEST(EntrantList, KeepsRowsSortedIgnoringCase) {
    Console console;
    for (const char* name : {"Cy", "Ann", "bob", "ann", "Bob", "Zoe", "Al", "Annabel", "Ann Lee", "amy", "BoB"})
        console.InsertEntrant(name);
    EXPECT_EQ(console.Entrants(),
              (Lines{"Al", "amy", "Ann", "ann", "Ann Lee", "Annabel", "BoB", "Bob", "bob", "Cy", "Zoe"}));
    EXPECT_EQ(console.InsertEntrant("Bill"), 6);
}

TEST(WinnerDraw, EntropyChooserGivesEveryPositionInRange) {
    std::vector<int> seen(3);
    for (int i = 0; i < 300; ++i) ++seen.at(EntropyChooser().Choose(seen.size()));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0);
    EXPECT_EQ(EntropyChooser().Choose(1), 0u);
}

TEST(LibraryCallbacks, CountedTextsEndAtTheirCount) {
    const char counted[] = "\5\0\0\0hello, more\0 and more";  // the count, then the bytes
    EXPECT_EQ(CountedText(counted + 4), "hello");
    EXPECT_EQ(CountedText(counted + 4, 3), "hel");
    const char withNul[] = "\5\0\0\0he\0lo";  // a NUL is one of the text's bytes
    EXPECT_EQ(CountedText(withNul + 4), std::string("he\0lo", 5));
    EXPECT_EQ(CountedText(nullptr), "");
}

TEST(LeadingNumber, ReadsSignDigitsAndFractionElseZero) {
    const std::pair<const char*, double> cases[] = {
        {"1", 1},   {"1.0", 1}, {"1 yes", 1}, {"-3", -3},  {"+7x", 7}, {"12.75s", 12.75}, {".5", 0.5},
        {"3.", 3},  {"1e3", 1}, {"0x10", 0},  {"", 0},     {"true", 0}, {" 1", 0},        {"-", 0},
        {"-.x", 0}, {"inf", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
    EXPECT_EQ(LeadingNumber("1" + std::string(400, '0')), HUGE_VAL);  // too large for a double
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0);  // too small
}

TEST(EditorLayout, BoxesSitAtTheirTopsAndMeasuresRoundOnTheirOwn) {
    for (int box : {-1, 30}) EXPECT_THROW(BoxTop(box), std::out_of_range);
    // The first and last box of each group; the winner lines are placed apart.
    const int tops[][2] = {{0, 600}, {12, 3480}, {13, 3960}, {15, 4920}, {16, 5400}, {22, 6840},
                           {23, 7320}, {27, 8280}, {28, 8640}, {29, 8880}};
    for (const auto& [box, top] : tops) EXPECT_EQ(BoxTop(box), top) << box;
    // At D dpi a twip is D / 1440 pixels; halves round away from zero.
    EXPECT_EQ(PanelTopPixels(ScrollMin, 96), -24);
    EXPECT_EQ(PanelTopPixels(-22, 96), 1);
    EXPECT_EQ(ToPixels(6, 120), 1);
    EXPECT_EQ(ToPixels(-6, 120), -1);
    EXPECT_EQ(ToPixelsAt(LayoutRect{1, 2, 1, 2}, DesignDpi, 120), (LayoutRect{1, 3, 1, 3}));
}

TEST(EditorScrollBar, StepsPagesAndTheReleasedThumbStayInRange) {
    using enum ScrollAction;
    const std::tuple<int, ScrollAction, int, int> moves[] = {
        {360, LineDown, 0, 480},  {480, LineUp, 0, 360},     {360, LineUp, 0, 360},
        {900, PageDown, 0, 1440}, {900, PageUp, 0, 360},     {5700, PageDown, 0, 5760},
        {900, Top, 0, 360},       {900, Bottom, 0, 5760},    {900, ThumbPosition, 2000, 2000},
        {900, ThumbTrack, 2000, 900}, {900, EndScroll, 0, 900}, {900, ThumbPosition, 9000, 5760},
    };
    for (const auto& [value, action, thumb, after] : moves)
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
    const char block[] = {'a', 'b', '\0', 'c', 'd', 'e'};  // a block without a NUL after "de"
    EXPECT_EQ(PastedText({block, 2}), "ab");
    EXPECT_EQ(PastedText({block + 3, 2}), "cd");
}

}  // namespace
}  // namespace tamblo
