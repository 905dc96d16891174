#include "console/sign_up_intake.h"

#include <gtest/gtest.h>

#include "console_fixture.h"
#include "link/library_callbacks.h"

namespace tamblo {
namespace {

using Names = std::vector<std::string>;

TEST(SignUpLines, AreJudgedByTheirExactForm) {
    const std::pair<const char*, std::optional<std::string>> lines[] = {
        {"ESP from Ann: $", "Ann"},     {"ESP from Ann:$", "Ann"},          {"ESP from  Ann Lee  :  $ ", "Ann Lee"},
        {"ESP fromAnn: $", "Ann"},      {"ESP from: $", ""},                {"ESP from Ann:\t$", std::nullopt},
        {"esp from Ann: $", std::nullopt}, {" ESP from Ann: $", std::nullopt}, {"ESP from Ann: $$", std::nullopt},
        {"ESP from Ann: $ please", std::nullopt}, {"ESP from Ann $", std::nullopt},
        {"ESP from A:B: $", std::nullopt}, {"Cy: $", std::nullopt},
    };
    for (const auto& [line, name] : lines) EXPECT_EQ(SignUpName(line), name) << line;
    const std::pair<const char*, bool> markers[] = {
        {"Olvan: Credit line", true},  {"Olvan:Credit line   ", true}, {"Credit line", false},
        {"Olvan: credit line", false}, {"Olvan: x: Credit line", false}};
    for (const auto& [line, isMarker] : markers) EXPECT_EQ(IsStartMarker(line, " Credit line  "), isMarker) << line;
}

// Get-Players against a library whose room text the test sets.
class SignUpIntakeTest : public testing::ConsoleFixture {
protected:
    SignUpIntakeTest() { library.onGetAllText = [this] { ProcessAllText(room); }; }

    // Runs Get-Players on the given lines; returns who was confirmed, and how.
    Names Run(const Names& lines) {
        room.clear();
        for (const std::string& line : lines) room += line + "\r\n";
        log.events.clear();
        TakeSignUps(console);
        return Sent(testing::Esped);
    }

    const std::string marker = std::string("Olvan: ") + CreditLine;
    std::string room;
};

TEST_F(SignUpIntakeTest, TakesNewSignUpsAfterTheLastMarkerOnly) {
    EXPECT_EQ(Run({"ESP from Bo: $", marker, "ESP from Ann: $", "Cy: $", "ESP from Ann: $", "ESP from Dee : $",
                   "ESP from Ed: $$"}),
              (Names{"Ann|You are on the List.", "Dee|You are on the List."}));
    EXPECT_EQ(console.Entrants(), (Names{"Ann", "Dee"}));
    EXPECT_EQ(console.TotalPeople(), "2");
    EXPECT_EQ(console.MarkerText, CreditLine);

    const std::pair<Names, Names> cases[] = {
        {{"ESP from Bo: $", "ESP from Al: $"}, {"Bo", "Al"}},
        {{"ESP from Bo: $", marker, "ESP from Al: $", marker, "ESP from Cy: $"}, {"Cy"}},
        {{marker, "a line without any colon", "ESP from Cy: $"}, {"Cy"}},
    };
    for (const auto& [lines, names] : cases) {
        console.ClearEntrants();
        Names confirmed;
        for (const std::string& name : names) confirmed.push_back(name + "|You are on the List.");
        EXPECT_EQ(Run(lines), confirmed) << lines.size();
    }
    platform.yields = 0;
    Run({"a", "b", "c"});
    EXPECT_EQ(platform.yields, 12 + 24 + 2 * 4) << "the fetch's, then one per line and pass";
}

TEST_F(SignUpIntakeTest, RowsAlreadyListedAreNotConfirmedAgain) {
    const Names lines = {"ESP from Ann: $", "ESP from ann: $", "ESP from Bob: $"};
    console.InsertEntrant("Bob");
    EXPECT_EQ(Run(lines).size(), 2u);
    EXPECT_EQ(Run(lines), Names{});
    EXPECT_EQ(console.Entrants(), (Names{"Ann", "ann", "Bob"}));
    EXPECT_EQ(console.TotalPeople(), "3");

    console.ClearEntrants();
    console.AppendWinner("Bob");  // past winners may sign up again
    Save({{15, "Got you!"}});
    EXPECT_EQ(Run(lines), (Names{"Ann|Got you!", "ann|Got you!", "Bob|Got you!"}));
    Save({{15, ""}});
    EXPECT_EQ(Run({"ESP from Cy: $"}), Names{"Cy|You are on the List."});
}

TEST_F(SignUpIntakeTest, NoFetchedTextLeavesTheListAndShowsItsCount) {
    console.InsertEntrant("Zed");
    library.onGetAllText = nullptr;
    TakeSignUps(console);
    EXPECT_EQ(console.Entrants(), Names{"Zed"});
    EXPECT_EQ(console.TotalPeople(), "1");
}

TEST_F(SignUpIntakeTest, MarkerCountStopsAt32767AndSignUpsCountAfterThatMarker) {
    Names lines(32767, marker);
    lines.insert(lines.end(), {"ESP from Ann: $", marker, "ESP from Bo: $"});
    EXPECT_EQ(Run(lines), (Names{"Ann|You are on the List.", "Bo|You are on the List."}));
    EXPECT_EQ(console.MarkerCount, 32767);
}

}  // namespace
}  // namespace tamblo
