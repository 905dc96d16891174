#include <gtest/gtest.h>

#include "console/commands.h"
#include "fake_api_library.h"
#include "fake_file_system.h"
#include "fake_platform.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;

class RecordingView : public ConsoleView {
public:
    explicit RecordingView(testing::EventLog& log) : log_(log) {}
    void EntrantInserted(int index, const std::string& name) override {
        log_.Add("insert " + std::to_string(index) + " " + name);
    }
    void EntrantsCleared() override { log_.Add("entrants cleared"); }
    void WinnerAppended(const std::string& name) override { log_.Add("winner " + name); }
    void WinnersCleared() override { log_.Add("winners cleared"); }
    void TotalPeopleChanged(const std::string& text) override { log_.Add("total " + text); }
    void BusyEntered() override { log_.Add("busy"); }
    void BusyLeft(bool focusDummy) override { log_.Add(focusDummy ? "idle" : "idle, focus kept"); }

private:
    testing::EventLog& log_;
};

// Commands speak through the library transport's fake, whose calls show the
// spoken lines plainly.
class ConsoleCommandsTest : public ::testing::Test {
protected:
    ConsoleCommandsTest() {
        Link() = LinkState{};
        Link().UseApiLibrary = true;
        LoadScripts();
        RegisterWithClient();
        console.SetView(&view);
        log.events.clear();
    }

    // The spoken lines; also checks the busy frame wraps everything.
    Lines Spoken() {
        EXPECT_FALSE(log.events.empty());
        if (log.events.empty()) return {};
        EXPECT_EQ(log.events.front(), "busy");
        EXPECT_EQ(log.events.back(), "idle");
        Lines lines;
        const std::string speak = "DapiCommunicate Tamblo|0||";
        for (const std::string& event : log.events)
            if (event.rfind(speak, 0) == 0) lines.push_back(event.substr(speak.size()));
        log.events.clear();
        return lines;
    }

    void SaveWith(int fileLine, const std::string& text) {
        ScriptFileTexts texts = ScriptStore().ToFileOrder();
        texts[fileLine - 1] = text;
        ASSERT_TRUE(SaveScripts(texts).ok);
        LoadScripts();
    }

    testing::EventLog log;
    testing::FakePlatform platform{log};
    testing::FakeApiLibrary library{log};
    testing::FakeFileSystem files;
    RecordingView view{log};
    Console console;
};

TEST_F(ConsoleCommandsTest, WelcomeSpeaksTheNonEmptyOpeningLines) {
    SpeakWelcome(console);
    EXPECT_EQ(Spoken(), (Lines{"Welcome to Olvan's Tamblo Drawing", CreditLine, "Thank you for coming!",
                               "There is a limit of 1 prize per avatar and you must be present to win.",
                               "You will be given 10 seconds to appear once a spot opens on the floor, if not "
                               "you lose the prize"}));

    for (int line = 3; line <= 13; ++line) SaveWith(line, "");
    SpeakWelcome(console);
    EXPECT_EQ(Spoken(), (Lines{"Welcome to Olvan's Tamblo Drawing", CreditLine}));

    SaveWith(5, "five");
    SaveWith(7, "seven");
    SpeakWelcome(console);
    EXPECT_EQ(Spoken(), (Lines{"Welcome to Olvan's Tamblo Drawing", CreditLine, "five", "seven"}));

    for (int line = 1; line <= 13; ++line) SaveWith(line, "");
    SpeakWelcome(console);
    EXPECT_EQ(Spoken(), Lines{CreditLine}) << "the credit line is never empty";
}

TEST_F(ConsoleCommandsTest, AskSpeaksTheRequestOrItsFallback) {
    AskForSignUps(console);
    EXPECT_EQ(Spoken(), Lines{"Please ESP a single $ to me to be put on the List."});
    SaveWith(14, "Send $ now");
    AskForSignUps(console);
    EXPECT_EQ(Spoken(), Lines{"Send $ now"});
    SaveWith(14, "");
    AskForSignUps(console);
    EXPECT_EQ(Spoken(), Lines{"Please ESP a single $ to me to be put on the List."});
}

TEST_F(ConsoleCommandsTest, ClosingSkipsEmptyLines) {
    AnnounceClosing(console);
    EXPECT_EQ(Spoken(), (Lines{"Closing the list in 5 seconds.", "5", "4", "3", "2", "1", "The List is Closed."}));
    SaveWith(18, "");
    AnnounceClosing(console);
    EXPECT_EQ(Spoken(), (Lines{"Closing the list in 5 seconds.", "4", "3", "2", "1", "The List is Closed."}));
    for (int line = 17; line <= 23; ++line) SaveWith(line, "");
    AnnounceClosing(console);
    EXPECT_EQ(Spoken(), Lines{});
}

TEST_F(ConsoleCommandsTest, ReadListSpeaksTheHeaderThenEachRowInOrder) {
    ReadListOut(console);
    EXPECT_EQ(Spoken(), Lines{"The following are on the list:"});

    console.InsertEntrant("Cy");
    console.InsertEntrant("Ann");
    console.InsertEntrant("bob");
    SaveWith(16, "");
    log.events.clear();
    ReadListOut(console);
    EXPECT_EQ(Spoken(), (Lines{"The following are on the list:", "Ann", "bob", "Cy"}));

    SaveWith(16, "On the list:");
    ReadListOut(console);
    EXPECT_EQ(Spoken(), (Lines{"On the list:", "Ann", "bob", "Cy"}));
    EXPECT_EQ(console.TotalPeople(), "0");
    EXPECT_EQ(console.WinnerCount(), 0);
}

TEST_F(ConsoleCommandsTest, SaveDuringACommandChangesOnlyTheLinesNotYetSpoken) {
    int lines = 0;
    platform.onYield = [&](int) {
        // In the last yield after the second line, the host saves new texts.
        if (++lines == 2 * (12 + 24)) {
            SaveWith(1, "new one");
            SaveWith(3, "new three");
        }
    };
    SpeakWelcome(console);
    const Lines spoken = Spoken();
    ASSERT_EQ(spoken.size(), 5u);
    EXPECT_EQ(spoken[0], "Welcome to Olvan's Tamblo Drawing");
    EXPECT_EQ(spoken[2], "new three");
}

TEST_F(ConsoleCommandsTest, ClearButtonsEmptyTheirOwnListOnly) {
    console.InsertEntrant("Ann");
    console.AppendWinner("Bob");
    console.SetTotalPeople("1");
    log.events.clear();

    ClearWinnersList(console);
    EXPECT_EQ(log.events, (Lines{"busy", "winners cleared", "idle"}));
    EXPECT_EQ(console.EntrantCount(), 1);
    EXPECT_EQ(console.TotalPeople(), "1");

    log.events.clear();
    ClearEntrantList(console);
    EXPECT_EQ(log.events, (Lines{"busy", "entrants cleared", "total 0", "idle"}));
    EXPECT_EQ(console.WinnerCount(), 0);
}

TEST_F(ConsoleCommandsTest, ReconnectUnregistersThenRegistersInsideTheBusyFrame) {
    platform.readsPerSecond = 1;
    Reconnect(console);
    EXPECT_EQ(log.events, (Lines{"busy", "DapiUnregister Tamblo", "KillDDE", "yield x24", "load",
                                 "InitDDE Tamblo", "DapiRegister Tamblo", "idle"}));
}

TEST(EntrantList, KeepsRowsSortedIgnoringCase) {
    Console console;
    for (const char* name : {"Cy", "Ann", "bob", "ann", "Bob", "zed", "Al"}) console.InsertEntrant(name);
    EXPECT_EQ(console.Entrants(), (Lines{"Al", "Ann", "ann", "Bob", "bob", "Cy", "zed"}));
    Console three;
    three.InsertEntrant("Ann");
    three.InsertEntrant("Cy");
    EXPECT_EQ(three.InsertEntrant("bob"), 1);
    EXPECT_EQ(three.Entrants(), (Lines{"Ann", "bob", "Cy"}));
    EXPECT_TRUE(EntrantOrder("Ann", "Anna"));
    EXPECT_TRUE(EntrantOrder("Ann Lee", "Annabel"));
}

}  // namespace
}  // namespace tamblo
