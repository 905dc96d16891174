#include "console/sign_up_intake.h"

#include <gtest/gtest.h>

#include "fake_api_library.h"
#include "fake_file_system.h"
#include "fake_platform.h"
#include "link/library_callbacks.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {
namespace {

using Names = std::vector<std::string>;

TEST(SignUpLines, AreJudgedByTheirExactForm) {
    const std::pair<const char*, std::optional<std::string>> lines[] = {
        {"ESP from Ann: $", "Ann"},
        {"ESP from Ann:$", "Ann"},
        {"ESP from  Ann Lee  :  $ ", "Ann Lee"},
        {"ESP fromAnn: $", "Ann"},
        {"ESP from Ann:\t$", std::nullopt},
        {"esp from Ann: $", std::nullopt},
        {" ESP from Ann: $", std::nullopt},
        {"ESP from Ann: $$", std::nullopt},
        {"ESP from Ann: $ please", std::nullopt},
        {"ESP from Ann $", std::nullopt},
        {"ESP from A:B: $", std::nullopt},
        {"Cy: $", std::nullopt},
        {"ESP from: $", ""},
    };
    for (const auto& [line, name] : lines) EXPECT_EQ(SignUpName(line), name) << line;
}

TEST(StartMarkers, NeedTheCreditLineAfterTheFirstColon) {
    const std::string marker = "Credit line";
    EXPECT_TRUE(IsStartMarker("Olvan: Credit line", marker));
    EXPECT_TRUE(IsStartMarker("Olvan:Credit line   ", marker));
    EXPECT_TRUE(IsStartMarker("Olvan: Credit line", "  Credit line "));
    EXPECT_FALSE(IsStartMarker("Credit line", marker));
    EXPECT_FALSE(IsStartMarker("Olvan: credit line", marker));
    EXPECT_FALSE(IsStartMarker("Olvan: x: Credit line", marker));
}

// Get-Players against a library whose room text the test sets.
class SignUpIntakeTest : public ::testing::Test {
protected:
    SignUpIntakeTest() {
        Link() = LinkState{};
        Link().UseApiLibrary = true;
        LoadScripts();
        RegisterWithClient();
        library.onGetAllText = [this] { ProcessAllText(room); };
    }

    std::string Marker() const { return std::string("Olvan: ") + CreditLine; }

    // Runs Get-Players on the given lines; returns who was confirmed.
    Names Run(const Names& lines) {
        room.clear();
        for (const std::string& line : lines) room += line + "\r\n";
        log.events.clear();
        TakeSignUps(console);
        Names confirmed;
        const std::string esp = "DapiCommunicate Tamblo|2|";
        for (const std::string& event : log.events)
            if (event.rfind(esp, 0) == 0) confirmed.push_back(event.substr(esp.size()));
        return confirmed;
    }

    testing::EventLog log;
    testing::FakePlatform platform{log};
    testing::FakeApiLibrary library{log};
    testing::FakeFileSystem files;
    Console console;
    std::string room;
};

TEST_F(SignUpIntakeTest, TakesNewSignUpsAfterTheLastMarkerOnly) {
    const Names confirmed = Run({"ESP from Bo: $", Marker(), "ESP from Ann: $", "Cy: $", "ESP from Ann: $",
                                 "ESP from Dee : $", "ESP from Ed: $$"});
    EXPECT_EQ(confirmed, (Names{"Ann|You are on the List.", "Dee|You are on the List."}));
    EXPECT_EQ(console.Entrants(), (Names{"Ann", "Dee"}));
    EXPECT_EQ(console.TotalPeople(), "2");
    EXPECT_EQ(console.MarkerCount, 1);
    EXPECT_EQ(console.MarkerText, CreditLine);
}

TEST_F(SignUpIntakeTest, CountsFromTheFirstLineWithoutAMarkerAndFromTheSecondOfTwo) {
    EXPECT_EQ(Run({"ESP from Bo: $", "ESP from Al: $"}).size(), 2u);
    console.ClearEntrants();
    EXPECT_EQ(Run({"ESP from Bo: $", Marker(), "ESP from Al: $", Marker(), "ESP from Cy: $"}),
              Names{"Cy|You are on the List."});
    EXPECT_EQ(console.MarkerCount, 2);

    console.ClearEntrants();
    EXPECT_EQ(Run({Marker(), "a line without any colon", "ESP from Cy: $"}), Names{"Cy|You are on the List."});
    EXPECT_EQ(console.MarkerCount, 1);
}

TEST_F(SignUpIntakeTest, SecondRunSendsNothingNewAndClearingConfirmsAgain) {
    const Names lines = {Marker(), "ESP from Ann: $", "ESP from ann: $", "ESP from Bob: $"};
    EXPECT_EQ(Run(lines).size(), 3u);
    EXPECT_EQ(console.Entrants(), (Names{"Ann", "ann", "Bob"}));
    EXPECT_EQ(Run(lines), Names{});
    EXPECT_EQ(console.TotalPeople(), "3");

    console.ClearEntrants();
    console.AppendWinner("Bob");  // past winners may sign up again
    EXPECT_EQ(Run(lines).size(), 3u);
    EXPECT_EQ(console.TotalPeople(), "3");
}

TEST_F(SignUpIntakeTest, ConfirmationIsReadWhenSentWithItsFallback) {
    ScriptFileTexts texts = ScriptStore().ToFileOrder();
    texts[14] = "Got you!";
    ASSERT_TRUE(SaveScripts(texts).ok);
    LoadScripts();
    EXPECT_EQ(Run({"ESP from Ann: $"}), Names{"Ann|Got you!"});
    texts[14] = "";
    ASSERT_TRUE(SaveScripts(texts).ok);
    LoadScripts();
    EXPECT_EQ(Run({"ESP from Bo: $"}), Names{"Bo|You are on the List."});
}

TEST_F(SignUpIntakeTest, NoFetchedTextLeavesTheListAndShowsItsCount) {
    console.InsertEntrant("Zed");
    library.onGetAllText = nullptr;
    log.events.clear();
    TakeSignUps(console);
    EXPECT_EQ(console.Entrants(), Names{"Zed"});
    EXPECT_EQ(console.TotalPeople(), "1");
    EXPECT_EQ(console.MarkerCount, 0);
}

TEST_F(SignUpIntakeTest, YieldsAfterEveryLineInBothPasses) {
    Run({"a", "b", "c"});
    // The fetch's 12 + 24, then per pass the three lines and the empty one
    // that the capture's added line end makes.
    EXPECT_EQ(platform.yields, 12 + 24 + 2 * 4);
}

TEST_F(SignUpIntakeTest, MarkerCountStopsAt32767AndSignUpsCountAfterThatMarker) {
    Names lines;
    for (int i = 0; i < 32767; ++i) lines.push_back(Marker());
    lines.push_back("ESP from Ann: $");
    lines.push_back(Marker());
    lines.push_back("ESP from Bo: $");
    EXPECT_EQ(Run(lines), (Names{"Ann|You are on the List.", "Bo|You are on the List."}));
    EXPECT_EQ(console.MarkerCount, 32767);
}

}  // namespace
}  // namespace tamblo
