#include "console/winner_draw.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tamblo {
namespace {

using Names = std::vector<std::string>;

class ListChooser : public Chooser {
public:
    size_t Choose(size_t count) override {
        counts.push_back(count);
        return position;
    }
    size_t position = 0;
    std::vector<size_t> counts;
};

// Each eligible entrant is the draw for exactly one of the chooser's equally
// likely answers, so the draw is as fair as the chooser.
TEST(WinnerDraw, EachEligibleEntrantHasOneChanceAndEarlierWinnersNone) {
    const Names entrants{"Ann", "Bob", "Cy", "Dee", "Ed"};
    const Names winners{"Bob", "ann", "Cy ", "Ed"};  // whole rows, exactly
    ListChooser chooser;
    Names drawn;
    for (chooser.position = 0; chooser.position < 3; ++chooser.position)
        drawn.push_back(*DrawWinner(entrants, winners, chooser));
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (Names{"Ann", "Cy", "Dee"}));
    EXPECT_EQ(chooser.counts, (std::vector<size_t>{3, 3, 3}));

    EXPECT_FALSE(DrawWinner({}, {}, chooser));
    EXPECT_FALSE(DrawWinner({"A", "B"}, {"B", "A", "C"}, chooser));
    EXPECT_EQ(chooser.counts.size(), 3u) << "no draw without an eligible entrant";
}

TEST(WinnerDraw, EntropyChooserGivesEveryPositionInRange) {
    std::vector<int> seen(3);
    for (int i = 0; i < 300; ++i) ++seen.at(EntropyChooser().Choose(seen.size()));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0);
    EXPECT_EQ(EntropyChooser().Choose(1), 0u);
}

}  // namespace
}  // namespace tamblo
