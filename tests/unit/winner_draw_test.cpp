#include "console/winner_draw.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "fake_api_library.h"
#include "fake_file_system.h"
#include "fake_platform.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {
namespace {

using Names = std::vector<std::string>;

class FixedChooser : public Chooser {
public:
    size_t Choose(size_t) override { return position; }
    size_t position = 0;
};

class SeededChooser : public Chooser {
public:
    explicit SeededChooser(unsigned seed) : generator_(seed) {}
    size_t Choose(size_t count) override {
        return std::uniform_int_distribution<size_t>(0, count - 1)(generator_);
    }

private:
    std::mt19937 generator_;
};


TEST(WinnerDraw, NeverDrawsAnEarlierWinnerButComparesWholeRowsExactly) {
    SeededChooser chooser(7);
    for (int i = 0; i < 200; ++i) {
        const auto winner = DrawWinner({"A", "B", "C"}, {"B"}, chooser);
        ASSERT_TRUE(winner);
        EXPECT_NE(*winner, "B");
    }
    FixedChooser first;
    EXPECT_EQ(DrawWinner({"Ann", "Bob"}, {"ann"}, first), "Ann");
    EXPECT_EQ(DrawWinner({"Ann", "Bob"}, {"Ann "}, first), "Ann");
    EXPECT_EQ(DrawWinner({"A", "B"}, {"C", "D"}, first), "A");
    first.position = 1;
    EXPECT_EQ(DrawWinner({"A", "B", "C"}, {"A"}, first), "C");
    EXPECT_FALSE(DrawWinner({}, {}, chooser));
    EXPECT_FALSE(DrawWinner({"A"}, {"A", "B"}, chooser));
    EXPECT_FALSE(DrawWinner({"A", "B"}, {"B", "A"}, chooser));
}

TEST(WinnerDraw, EveryEntrantOfAThousandIsAboutEquallyLikely) {
    Names entrants;
    for (int i = 0; i < 1000; ++i) entrants.push_back("avatar " + std::to_string(i));
    SeededChooser chooser(20261206);
    std::map<std::string, int> wins;
    const int draws = 100000;
    for (int i = 0; i < draws; ++i) ++wins[*DrawWinner(entrants, {}, chooser)];
    ASSERT_EQ(wins.size(), 1000u) << "some entrant can never win";
    // Chi-square with 999 degrees of freedom: about 999 +- 45; a draw that
    // favours some entrants lands far above 1200.
    double chiSquare = 0;
    const double expected = double(draws) / 1000;
    for (const auto& [name, count] : wins) chiSquare += (count - expected) * (count - expected) / expected;
    EXPECT_LT(chiSquare, 1200);
}

TEST(WinnerDraw, EntropyChooserStaysInRange) {
    for (size_t count : {1u, 2u, 1000u})
        for (int i = 0; i < 100; ++i) EXPECT_LT(EntropyChooser().Choose(count), count);
}

class PickWinnerTest : public ::testing::Test {
protected:
    PickWinnerTest() {
        Link() = LinkState{};
        Link().UseApiLibrary = true;
        LoadScripts();
        RegisterWithClient();
        log.events.clear();
    }
    Names Spoken() {
        Names lines;
        const std::string speak = "DapiCommunicate Tamblo|0||";
        for (const std::string& event : log.events)
            if (event.rfind(speak, 0) == 0) lines.push_back(event.substr(speak.size()));
        return lines;
    }
    testing::EventLog log;
    testing::FakePlatform platform{log};
    testing::FakeApiLibrary library{log};
    testing::FakeFileSystem files;
    Console console;
    FixedChooser chooser;
};

TEST_F(PickWinnerTest, AppendsTheWinnerThenAnnouncesItBetweenTheWinnerLines) {
    console.InsertEntrant("Ann");
    console.InsertEntrant("Bob");
    console.SetTotalPeople("2");
    chooser.position = 0;
    PickWinner(console, chooser);
    EXPECT_EQ(Spoken(), (Names{"Time to Pick a Name!", "Get Ready .... Here We GO!", "SHAKING UP NAMES",
                               "<SHAKE> <SHAKE> <SHAKE>", "The Winner is.........", "Ann", "WTG!!!",
                               "Please ghost for the winner."}));
    EXPECT_EQ(console.Winners(), Names{"Ann"});
    EXPECT_EQ(console.Entrants(), (Names{"Ann", "Bob"}));
    EXPECT_EQ(console.TotalPeople(), "2");

    // The next press draws among those who have not won.
    ScriptFileTexts texts = ScriptStore().ToFileOrder();
    for (int line = 24; line <= 30; ++line) texts[line - 1] = line == 25 ? "Ready?" : "";
    ASSERT_TRUE(SaveScripts(texts).ok);
    LoadScripts();
    log.events.clear();
    PickWinner(console, chooser);
    EXPECT_EQ(Spoken(), (Names{"Ready?", "Bob"}));
    EXPECT_EQ(console.Winners(), (Names{"Ann", "Bob"}));
}

TEST_F(PickWinnerTest, NothingEligibleStopsQuietlyAndKeepsTheFocus) {
    testing::EventLog viewLog;
    struct View : ConsoleView {
        explicit View(testing::EventLog& log) : log(log) {}
        void EntrantInserted(int, const std::string&) override {}
        void EntrantsCleared() override {}
        void WinnerAppended(const std::string&) override { log.Add("winner"); }
        void WinnersCleared() override {}
        void TotalPeopleChanged(const std::string&) override {}
        void BusyEntered() override { log.Add("busy"); }
        void BusyLeft(bool focusDummy) override { log.Add(focusDummy ? "idle" : "idle, focus kept"); }
        testing::EventLog& log;
    } view(viewLog);
    console.SetView(&view);

    PickWinner(console, chooser);
    console.InsertEntrant("A");
    console.AppendWinner("A");
    console.AppendWinner("B");
    viewLog.events.clear();
    PickWinner(console, chooser);
    EXPECT_EQ(viewLog.events, (Names{"busy", "idle, focus kept"}));
    EXPECT_EQ(Spoken(), Names{});
    EXPECT_EQ(console.WinnerCount(), 2);
}

}  // namespace
}  // namespace tamblo
