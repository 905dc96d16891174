#include <gtest/gtest.h>

#include <functional>

#include "console/commands.h"
#include "console/winner_draw.h"
#include "console_fixture.h"

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;

class FixedChooser : public Chooser {
public:
    size_t Choose(size_t) override { return 0; }
};

class ConsoleCommandsTest : public testing::ConsoleFixture {
protected:
    // The lines one command says; also checks the busy frame wraps it.
    Lines Spoken(const std::function<void(Console&)>& command) {
        log.events.clear();
        command(console);
        EXPECT_EQ(log.events.empty() ? "" : log.events.front(), "busy");
        EXPECT_EQ(log.events.empty() ? "" : log.events.back(), "idle");
        return Sent(testing::Said);
    }
    FixedChooser chooser;
};

TEST_F(ConsoleCommandsTest, AnnouncementsSpeakTheNonEmptyLinesOrTheFallback) {
    const Lines welcome{"Welcome to Olvan's Tamblo Drawing", CreditLine, "Thank you for coming!",
                        "There is a limit of 1 prize per avatar and you must be present to win.",
                        "You will be given 10 seconds to appear once a spot opens on the floor, if not you lose "
                        "the prize"};
    EXPECT_EQ(Spoken(SpeakWelcome), welcome);
    const Lines ask{"Please ESP a single $ to me to be put on the List."};
    EXPECT_EQ(Spoken(AskForSignUps), ask);
    EXPECT_EQ(Spoken(AnnounceClosing),
              (Lines{"Closing the list in 5 seconds.", "5", "4", "3", "2", "1", "The List is Closed."}));

    Save({{1, ""}, {3, ""}, {13, "thirteen"}, {14, "Send $ now"}, {17, ""}, {18, ""}, {19, ""}, {20, ""},
          {21, ""}, {22, ""}});
    EXPECT_EQ(Spoken(SpeakWelcome), (Lines{CreditLine, welcome[3], welcome[4], "thirteen"}));
    EXPECT_EQ(Spoken(AskForSignUps), Lines{"Send $ now"});
    EXPECT_EQ(Spoken(AnnounceClosing), Lines{"The List is Closed."});
    Save({{14, ""}, {23, ""}});
    EXPECT_EQ(Spoken(AskForSignUps), ask);
    EXPECT_EQ(Spoken(AnnounceClosing), Lines{});
}

TEST_F(ConsoleCommandsTest, ReadListSpeaksTheHeaderThenEachRowWhileItLasts) {
    EXPECT_EQ(Spoken(ReadListOut), Lines{"The following are on the list:"});
    for (const char* name : {"Cy", "Ann", "bob"}) console.InsertEntrant(name);
    Save({{16, ""}});
    EXPECT_EQ(Spoken(ReadListOut), (Lines{"The following are on the list:", "Ann", "bob", "Cy"}));
    Save({{16, "On the list:"}});
    platform.onYield = [&, yields = 0](int) mutable {  // the list changes after the first row is spoken
        if (++yields != 36 + 13) return;
        console.ClearEntrants();
        for (const char* name : {"Wu", "Xi", "Yo", "Zed"}) console.InsertEntrant(name);
    };
    EXPECT_EQ(Spoken(ReadListOut), (Lines{"On the list:", "Ann", "Xi", "Yo"})) << "the row count is read once";
    console.ClearEntrants();
    platform.onYield = [&, yields = 0](int) mutable {
        if (++yields == 36 + 13) console.ClearEntrants();
    };
    for (const char* name : {"Cy", "Ann", "bob"}) console.InsertEntrant(name);
    EXPECT_EQ(Spoken(ReadListOut), (Lines{"On the list:", "Ann"}));
}

TEST_F(ConsoleCommandsTest, SaveDuringACommandChangesOnlyTheLinesNotYetSpoken) {
    platform.onYield = [&](int number) {
        EXPECT_TRUE(console.Busy());
        if (number == 2 * (12 + 24)) Save({{1, "new one"}, {3, "new three"}});
    };
    const Lines spoken = Spoken(SpeakWelcome);
    EXPECT_FALSE(console.Busy());
    ASSERT_EQ(spoken.size(), 5u);
    EXPECT_EQ(spoken[0], "Welcome to Olvan's Tamblo Drawing");
    EXPECT_EQ(spoken[2], "new three");
}

TEST_F(ConsoleCommandsTest, ClearReconnectAndEmptyDrawChangeOnlyTheirOwnPart) {
    console.InsertEntrant("Ann");
    console.AppendWinner("Ann");
    console.SetTotalPeople("1");
    log.events.clear();
    platform.readsPerSecond = 1;
    PickWinner(console, chooser);
    ClearWinnersList(console);
    Reconnect(console);
    ClearEntrantList(console);
    EXPECT_EQ(log.events, (Lines{"busy", "idle, focus kept", "busy", "winners cleared", "idle", "busy",
                                 "DapiUnregister Tamblo", "KillDDE", "yield x24", "load", "InitDDE Tamblo",
                                 "DapiRegister Tamblo", "idle", "busy", "entrants cleared", "total 0", "idle"}));
}

TEST_F(ConsoleCommandsTest, PickWinnerAnnouncesTheWinnerBetweenTheWinnerLines) {
    console.InsertEntrant("Ann");
    console.InsertEntrant("Bob");
    console.SetTotalPeople("2");
    const auto pick = [this](Console& c) { PickWinner(c, chooser); };
    EXPECT_EQ(Spoken(pick), (Lines{"Time to Pick a Name!", "Get Ready .... Here We GO!", "SHAKING UP NAMES",
                                   "<SHAKE> <SHAKE> <SHAKE>", "The Winner is.........", "Ann", "WTG!!!",
                                   "Please ghost for the winner."}));
    Save({{24, ""}, {25, "Ready?"}, {26, ""}, {27, ""}, {28, ""}, {29, ""}, {30, ""}});
    EXPECT_EQ(Spoken(pick), (Lines{"Ready?", "Bob"}));
    EXPECT_EQ(console.Winners(), (Lines{"Ann", "Bob"}));
    EXPECT_EQ(console.Entrants(), (Lines{"Ann", "Bob"}));
    EXPECT_EQ(console.TotalPeople(), "2");

    console.ClearEntrants();  // a winner who signs up again cannot win again...
    console.InsertEntrant("Cy");
    console.InsertEntrant("Ann");
    EXPECT_EQ(Spoken(pick), (Lines{"Ready?", "Cy"}));
    ClearWinnersList(console);  // ...until the winners list is cleared
    console.ClearEntrants();
    console.InsertEntrant("Ann");
    EXPECT_EQ(Spoken(pick), (Lines{"Ready?", "Ann"}));
    EXPECT_EQ(console.Winners(), Lines{"Ann"});
}

TEST(EntrantList, KeepsRowsSortedIgnoringCase) {
    Console console;
    for (const char* name : {"Cy", "Ann", "bob", "ann", "Bob", "Zoe", "Al", "Annabel", "Ann Lee", "amy"})
        console.InsertEntrant(name);
    EXPECT_EQ(console.Entrants(),
              (Lines{"Al", "amy", "Ann", "ann", "Ann Lee", "Annabel", "Bob", "bob", "Cy", "Zoe"}));
    EXPECT_EQ(console.InsertEntrant("Bill"), 6);
}

}  // namespace
}  // namespace tamblo
