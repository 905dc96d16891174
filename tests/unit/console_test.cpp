// The console, its commands and its link to the chat client, on fakes of
// the window system, the files and the chat client, which log what they are
// asked; the fixture is also the console's view and logs what it is told.
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>

#include "console/commands.h"
#include "console/sign_up_intake.h"
#include "console/winner_draw.h"
#include "fake_program.h"
#include "link/library_callbacks.h"

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace testing;  // the fakes

class ConsoleFixture : public ::testing::Test, public FakeProgram, public ConsoleView {
protected:
    explicit ConsoleFixture(bool library = true) {
        link.settings.UseApiLibrary = library;
        program.scripts.LoadScripts();
        if (library) link.RegisterWithClient();
        console.SetView(this);
        log.events.clear();
    }

    void EntrantInserted(int, const std::string&) override {}
    void EntrantsCleared() override { log.Add("entrants cleared"); }
    void WinnerAppended(const std::string&) override {}
    void WinnersCleared() override { log.Add("winners cleared"); }
    void TotalPeopleChanged(const std::string& text) override { log.Add("total " + text); }
    void BusyEntered() override { log.Add("busy"); }
    void BusyLeft(bool focusDummy) override { log.Add(focusDummy ? "idle" : "idle, focus kept"); }

    // What the logged library calls that start with `how` sent.
    Lines Sent(const std::string& how) const {
        Lines lines;
        for (const std::string& event : log.events)
            if (event.rfind(how, 0) == 0) lines.push_back(event.substr(how.size()));
        return lines;
    }

    // Saves the script file with some of its lines changed and reloads, as the editor does.
    void Save(std::initializer_list<std::pair<int, std::string>> fileLines) {
        ScriptFileTexts texts = program.scripts.Texts().ToFileOrder();
        for (const auto& [line, text] : fileLines) texts[line - 1] = text;
        ASSERT_TRUE(program.scripts.SaveScripts(texts).ok);
        program.scripts.LoadScripts();
    }

    ClientLink& link = program.link;
    Console& console = program.console;
    const ScriptTexts& texts = program.scripts.Texts();
};

// The link on DDE, its conduit window made.
class DdeLinkTest : public ConsoleFixture {
protected:
    DdeLinkTest() : ConsoleFixture(false) {
        link.Conduit();
        log.events.clear();
    }
    const ConduitFields& shown = dde.shown;
};

TEST_F(DdeLinkTest, ExchangeTriesFiveTimesTwelveYieldsApartAndKeepsTheErrorCheck) {
    EXPECT_FALSE(shown.ErrorCheck);
    dde.serviceRunning = false;
    link.Conduit().DdeRegister();
    Lines expected;
    for (int i = 0; i < 5; ++i) expected.insert(expected.end(), {"open WorldsApi|WorldsApi_Register", "yield x12"});
    EXPECT_EQ(log.events, expected);
    EXPECT_TRUE(shown.ErrorCheck);

    dde.serviceRunning = true;
    dde.failingTries = 2;
    log.events.clear();
    link.Conduit().DdeRegister();
    link.Conduit().DdeUnregister();
    EXPECT_EQ(log.events, (Lines{"open WorldsApi|WorldsApi_Register", "yield x12", "open WorldsApi|WorldsApi_Register",
                                 "yield x12", "open WorldsApi|WorldsApi_Register", "poke WorldsApi_Register Tamblo",
                                 "close", "open WorldsApi|WorldsApi_Unregister", "poke WorldsApi_Unregister Tamblo"}));
    EXPECT_FALSE(shown.ErrorCheck);

    dde.serviceRunning = false;  // the open conversation is closed once
    log.events.clear();
    link.Conduit().DdeRegister();
    expected.insert(expected.begin(), "close");
    EXPECT_EQ(log.events, expected);
}

TEST_F(DdeLinkTest, ActivationFindsTheExactTitleElseAPrefixElseEndsTheExchange) {
    link.settings.ActivateClientWindow = true;
    platform.windows = {{1, "VZones 3.0 - room"}, {2, "Tamblo Program Scripts"}, {3, "Tamblo"}};
    link.Conduit().DdeRegister();
    platform.windows.push_back({4, "VZones 3.0"});
    link.Conduit().DdeUnregister();
    EXPECT_EQ(log.events, (Lines{"open WorldsApi|WorldsApi_Register", "activate VZones 3.0 - room",
                                 "poke WorldsApi_Register Tamblo", "activate Tamblo", "close",
                                 "open WorldsApi|WorldsApi_Unregister", "activate VZones 3.0",
                                 "poke WorldsApi_Unregister Tamblo", "activate Tamblo"}));

    // No such title, or none at all (which must not pick an untitled window).
    platform.windows.push_back({5, ""});
    for (const char* title : {"No Such Client", ""}) {
        link.settings.ClientWindowTitle = title;
        log.events.clear();
        link.Conduit().SetCommFields("0", "", "Hello");
        link.Conduit().DdeCommunicate();
        EXPECT_EQ(log.events, (Lines{"close", "open WorldsApi|WorldsApi_Communicate"})) << title;
        EXPECT_FALSE(link.Conduit().Fields().ErrorCheck);
    }

    // The console gone after the poke only ends the exchange early.
    link.settings.ClientWindowTitle = "VZones 3.0";
    platform.windows = {{1, "VZones 3.0"}};
    log.events.clear();
    link.Conduit().DdeCommunicate();
    EXPECT_EQ(log.events, (Lines{"close", "open WorldsApi|WorldsApi_Communicate", "activate VZones 3.0",
                                 "poke WorldsApi_Communicate Tamblo\f0\f\fHello"}));
    EXPECT_FALSE(link.Conduit().Fields().ErrorCheck);
}

TEST_F(DdeLinkTest, SendersPokeExactCommRecordsAfterTwelveYields) {
    link.settings.SendPauseSeconds = 3;  // the DDE transport never pauses
    link.SayToRoom("Thank you for coming!");
    link.EspTarget = "Ann Lee";
    link.EspToAvatar("hi\f0\f\fspoken by the host");  // form feeds cannot rewrite the record
    link.SayToRoom("");
    link.EspToAvatar("");
    link.EspTarget = "";
    link.EspToAvatar("You are on the List.");
    link.EspTarget = "Ann\f0";
    link.EspToAvatar("You are on the List.");
    EXPECT_EQ(log.events, (Lines{"yield x12", "open WorldsApi|WorldsApi_Communicate",
                                 "poke WorldsApi_Communicate Tamblo\f0\f\fThank you for coming!", "yield x12", "close",
                                 "open WorldsApi|WorldsApi_Communicate",
                                 "poke WorldsApi_Communicate Tamblo\f2\fAnn Lee\fhi 0  spoken by the host"}));
}

TEST_F(DdeLinkTest, FetchWritesTheWholeAnswerPlusLineEndElseNoFileAndAnUnwritableFileIsToldOnce) {
    dde.answer = "Host: hello\r\nESP from Ann: $\r\n" + std::string(100000, 'x');
    link.FetchChatText();
    EXPECT_EQ(files.files.at(CaptureFileName), dde.answer + "\r\n");
    EXPECT_EQ(link.FetchedChatText(), dde.answer + "\r\n");
    EXPECT_EQ(shown.Text1, dde.answer);
    EXPECT_EQ(log.events, (Lines{"yield x12", "open WorldsApi|WorldsApi_GetAllText", "request Tamblo"}));

    dde.answer.clear();  // an empty answer counts as none
    link.FetchChatText();
    EXPECT_EQ(log.Count("request Tamblo"), 1 + 5);
    EXPECT_FALSE(link.FetchedChatText().has_value());
    EXPECT_EQ(files.files.count(CaptureFileName), 0u);

    dde.answer = "ESP from Ann: $";  // the text still arrives
    files.failWrites = true;
    link.FetchChatText();
    link.FetchChatText();
    EXPECT_EQ(link.FetchedChatText(), "ESP from Ann: $\r\n");
    EXPECT_THAT(Sent("box "), ElementsAre(AllOf(HasSubstr("C:\\KOBAX.TXT"), HasSubstr("not enough space on the disk"))));
}

TEST_F(DdeLinkTest, RegisteringCreatesTheConduitAndUnregisteringDestroysIt) {
    platform.readsPerSecond = 1;
    link.UnregisterFromClient();
    log.events.clear();
    link.RegisterWithClient();
    link.UnregisterFromClient();
    EXPECT_EQ(log.events, (Lines{"create conduit", "open WorldsApi|WorldsApi_Register", "poke WorldsApi_Register Tamblo",
                                 "yield x24", "close", "open WorldsApi|WorldsApi_Unregister",
                                 "poke WorldsApi_Unregister Tamblo", "yield x24", "destroy conduit", "yield x24"}));
    EXPECT_FALSE(link.ConduitExists());
    link.SayToRoom("still sent");  // on a fresh window
    EXPECT_EQ(log.Count("create conduit"), 2);
}

// A close while a line waits for its answer unregisters once the answer is
// in; the conduit whose exchange is still on the stack is let go of, not
// destroyed, and its exchange ends there.
TEST_F(DdeLinkTest, CloseDuringAnExchangeWaitsForItsAnswerAndDestroysNothingInUse) {
    platform.readsPerSecond = 1;
    dde.onPoke = [&] {
        program.Close([&] { log.Add("end"); });
        EXPECT_TRUE(program.Closing()) << "no command may start while the close waits";
    };
    SpeakWelcome(program);
    EXPECT_EQ(log.events, (Lines{"busy", "yield x12", "open WorldsApi|WorldsApi_Communicate",
                                 "poke WorldsApi_Communicate Tamblo\f0\f\fWelcome to Olvan's Tamblo Drawing", "close",
                                 "open WorldsApi|WorldsApi_Unregister", "poke WorldsApi_Unregister Tamblo", "yield x48",
                                 "end", "idle"}));
    EXPECT_FALSE(link.ConduitExists());

    // The same between the tries of an exchange: no further try.
    FakeProgram other;
    other.program.link.Conduit();
    other.platform.readsPerSecond = 1;
    other.dde.serviceRunning = false;
    other.platform.onYield = [&](int number) {
        if (number == 12 + 1) other.program.Close([&] { other.log.Add("end"); });
    };
    other.program.link.SayToRoom("Hello");
    EXPECT_EQ(other.log.Count("open WorldsApi|WorldsApi_Communicate"), 1);
    EXPECT_EQ(other.log.Count("open WorldsApi|WorldsApi_Unregister"), 5);
    EXPECT_EQ(other.log.Count("end"), 1);
    EXPECT_EQ(other.log.Count("destroy conduit"), 0);
}

TEST_F(DdeLinkTest, PauseWaitsForInputUntilTheSecondChanges) {
    platform.readsPerSecond = 3;
    link.PauseSeconds(1);
    EXPECT_EQ(platform.yields, 3 * 24);
    EXPECT_EQ(platform.waits, 2);
}

// The link through the chat client's library.
class LibraryLinkTest : public ConsoleFixture {
protected:
    // Text arrives at the caller's yield number `at`, counted from now (the
    // start of the fetch), or during the first request when `at` is 0.
    void Deliver(int at, const std::string& text) {
        log.events.clear();
        platform.yields = 0;
        library.onGetAllText = [this, at, text, asked = false]() mutable {
            if (at == 0 && !asked) link.ProcessAllText(text);
            asked = true;
        };
        platform.onYield = [this, at, text](int number) {
            if (number == at) link.ProcessAllText(text);
        };
    }
};

TEST_F(LibraryLinkTest, LinesArePacedByYieldsAndTheSendPause) {
    platform.readsPerSecond = 1;
    link.settings.SendPauseSeconds = 3;
    link.EspTarget = "Ann\fLee";  // harmless to the library: no record to split
    link.EspToAvatar("You are on the List.");
    EXPECT_EQ(log.events, (Lines{"yield x12", "DapiCommunicate Tamblo|2|Ann\fLee|You are on the List.", "yield x96"}));
}

TEST_F(LibraryLinkTest, FetchTakesOnlyTextDeliveredAfterItsFirstRequest) {
    const std::pair<int, int> counted[] = {{0, 1}, {13, 1}, {12 + 24, 1}, {2 * 36 + 5, 3}};  // at, requests made
    for (const auto& [at, requests] : counted) {
        Deliver(at, "text " + std::to_string(at));
        link.FetchChatText();
        EXPECT_EQ(link.FetchedChatText(), "text " + std::to_string(at) + "\r\n");
        EXPECT_EQ(log.Count("DapiGetAllText Tamblo"), requests);
    }

    // Neither the last fetch's text nor its late answer stands in for a silent library's.
    Deliver(12, "late answer to the last fetch");  // before this fetch asks
    library.onGetAllText = nullptr;
    link.FetchChatText();
    EXPECT_EQ(log.Count("DapiGetAllText Tamblo"), 5);
    EXPECT_EQ(platform.yields, 5 * (12 + 24));
    EXPECT_FALSE(link.FetchedChatText().has_value());
    EXPECT_EQ(files.files.count(CaptureFileName), 0u);
}

TEST_F(LibraryLinkTest, MissingLibraryIsToldAtEachRegistrationAndMutesTheLink) {
    platform.readsPerSecond = 1;
    link.UnregisterFromClient();
    log.events.clear();
    library.loadFailure = "wadapi.dll: The specified module could not be found.";
    link.RegisterWithClient();
    EXPECT_THAT(log.events, ElementsAre("load", HasSubstr("box [Tamblo] 2 wadapi.dll: The specified module could not")));
    log.events.clear();
    link.SayToRoom("Hello");
    link.EspTarget = "Ann";
    link.EspToAvatar("Hi");
    link.FetchChatText();
    EXPECT_EQ(log.events, Lines{});
    EXPECT_FALSE(link.FetchedChatText().has_value());

    library.loadFailure.reset();
    link.UnregisterFromClient();
    link.RegisterWithClient();
    EXPECT_EQ(log.events, (Lines{"yield x24", "load", "InitDDE Tamblo", "DapiRegister Tamblo"}));
}

TEST_F(LibraryLinkTest, StartUpReadsTheSettingsAndScriptsThenKeepsOnTopAndRegisters) {
    FakeProgram started;
    started.files.files = {{"SCONTROL.TXT", "VZones 3.0\r\n0\r\n1\r\n"}, {"TAMBLO.TXT", "Hi\r\n"}};
    started.program.StartUp(7);
    EXPECT_EQ(started.log.events, (Lines{"topmost 7", "load", "InitDDE Tamblo", "DapiRegister Tamblo"}));
    EXPECT_EQ(started.program.scripts.Texts().OpeningText[0], "Hi");
}

// Closing ends the program at once, even inside a command: the unregister
// is the last the chat client hears, and nothing the library says is heard.
TEST_F(LibraryLinkTest, CloseDuringALineUnregistersAndEndsAndNothingFollows) {
    platform.readsPerSecond = 1;
    platform.onYield = [&](int number) {
        if (number == 13) program.Close([&] { log.Add("end"); });
    };
    SpeakWelcome(program);
    link.ProcessAckData("1");
    link.ProcessAllText("ESP from Ann: $");
    link.FetchChatText();
    EXPECT_EQ(log.events, (Lines{"busy", "yield x12", "DapiCommunicate Tamblo|0||Welcome to Olvan's Tamblo Drawing",
                                 "yield x1", "DapiUnregister Tamblo", "KillDDE", "yield x24", "end", "yield x23",
                                 "idle"}));
    EXPECT_EQ(link.ApiChatText, "");
}

TEST_F(LibraryLinkTest, CallbacksShowResultsAndDataAndKeepTheText) {
    for (const char* unknown : {"42", "", " 7", "07", "18", "0 "}) EXPECT_EQ(ResultMessage(unknown), "99 - Unknown error occured");
    EXPECT_EQ(ResultMessage("17"), "17 - You are not logged in yet");
    EXPECT_EQ(link.ProcessAckData("0"), 0);
    EXPECT_EQ(link.ProcessAckData("1"), 0);
    EXPECT_EQ(link.ProcessReceivedData("Ann", 5, "hello"), 0);
    EXPECT_EQ(log.events, (Lines{"box [ProcessAckData Response Message] 1 1- Target avatar is not logged on",
                                 "box [Tamblo] 0 Data received from Ann: hello"}));
    link.ProcessAllText("room text");
    EXPECT_EQ(link.ApiChatText, "room text");
    const char counted[] = "\5\0\0\0hello, more\0 and more";  // the count, then the bytes
    EXPECT_EQ(CountedText(counted + 4), "hello");
    EXPECT_EQ(CountedText(counted + 4, 3), "hel");
    const char withNul[] = "\5\0\0\0he\0lo";  // a NUL is one of the text's bytes
    EXPECT_EQ(CountedText(withNul + 4), std::string("he\0lo", 5));
    EXPECT_EQ(CountedText(nullptr), "");
}

struct ListChooser : Chooser {
    size_t Choose(size_t count) override {
        counts.push_back(count);
        return position;
    }
    size_t position = 0;
    std::vector<size_t> counts;
};

// Commands and Get-Players on a console on the library transport.
class ConsoleTest : public ConsoleFixture {
protected:
    // The lines one command says; also checks the busy frame wraps it.
    Lines Spoken(const std::function<void(Program&)>& command) {
        log.events.clear();
        command(program);
        EXPECT_EQ(log.events.empty() ? "" : log.events.front(), "busy");
        EXPECT_EQ(log.events.empty() ? "" : log.events.back(), "idle");
        return Sent("DapiCommunicate Tamblo|0||");
    }

    // Runs Get-Players on a room of the given lines; returns who was confirmed, and how.
    Lines Run(const Lines& lines) {
        std::string room;
        for (const std::string& line : lines) room += line + "\r\n";
        library.onGetAllText = [this, room] { link.ProcessAllText(room); };
        log.events.clear();
        TakeSignUps(program);
        return Sent("DapiCommunicate Tamblo|2|");
    }

    const std::string marker = std::string("Olvan: ") + CreditLine;
    ListChooser chooser;
};
using ConsoleCommandsTest = ConsoleTest;
using SignUpIntakeTest = ConsoleTest;

TEST_F(ConsoleCommandsTest, AnnouncementsSpeakTheNonEmptyLinesOrTheFallback) {
    const Lines welcome(texts.OpeningText.begin(), texts.OpeningText.begin() + 5);  // the other eight are empty
    EXPECT_EQ(Spoken(SpeakWelcome), welcome);
    EXPECT_EQ(Spoken(AskForSignUps), Lines{texts.AskForText});
    EXPECT_EQ(Spoken(AnnounceClosing), Lines(texts.CloseText.begin(), texts.CloseText.end()));

    Save({{1, ""}, {3, ""}, {13, "thirteen"}, {14, "Send $ now"}, {17, ""}, {18, ""}, {19, ""}, {20, ""},
          {21, ""}, {22, ""}});
    EXPECT_EQ(Spoken(SpeakWelcome), (Lines{CreditLine, welcome[3], welcome[4], "thirteen"}));
    EXPECT_EQ(Spoken(AskForSignUps), Lines{"Send $ now"});
    EXPECT_EQ(Spoken(AnnounceClosing), Lines{"The List is Closed."});
    Save({{14, ""}, {23, ""}});
    EXPECT_EQ(Spoken(AskForSignUps), Lines{FallbackRequest});
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
        if (++yields != 36 + 13) return;
        console.ClearEntrants();
        console.InsertEntrant("Wu");
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
    log.events.clear();
    platform.readsPerSecond = 1;
    PickWinner(program, chooser);
    ClearWinnersList(program);
    Reconnect(program);
    ClearEntrantList(program);
    EXPECT_EQ(log.events, (Lines{"busy", "idle, focus kept", "busy", "winners cleared", "idle", "busy",
                                 "DapiUnregister Tamblo", "KillDDE", "yield x24", "load", "InitDDE Tamblo",
                                 "DapiRegister Tamblo", "idle", "busy", "entrants cleared", "total 0", "idle"}));
}

TEST_F(ConsoleCommandsTest, PickWinnerAnnouncesTheWinnerBetweenTheWinnerLines) {
    console.InsertEntrant("Ann");
    console.InsertEntrant("Bob");
    const auto pick = [this](Program& p) { PickWinner(p, chooser); };
    EXPECT_EQ(Spoken(pick), (Lines{"Time to Pick a Name!", "Get Ready .... Here We GO!", "SHAKING UP NAMES",
                                   "<SHAKE> <SHAKE> <SHAKE>", "The Winner is.........", "Ann", "WTG!!!",
                                   "Please ghost for the winner."}));
    Save({{24, ""}, {25, "Ready?"}, {26, ""}, {27, ""}, {28, ""}, {29, ""}, {30, ""}});
    EXPECT_EQ(Spoken(pick), (Lines{"Ready?", "Bob"}));
    EXPECT_EQ(console.Winners(), (Lines{"Ann", "Bob"}));

    console.ClearEntrants();  // a winner who signs up again cannot win again...
    console.InsertEntrant("Cy");
    console.InsertEntrant("Ann");
    EXPECT_EQ(Spoken(pick), (Lines{"Ready?", "Cy"}));
    ClearWinnersList(program);  // ...until the winners list is cleared
    console.ClearEntrants();
    console.InsertEntrant("Ann");
    EXPECT_EQ(Spoken(pick), (Lines{"Ready?", "Ann"}));
    EXPECT_EQ(console.Winners(), Lines{"Ann"});
    // Each draw is one answer of the chooser among the eligible rows only,
    // so it is as fair as the chooser.
    EXPECT_EQ(chooser.counts, (std::vector<size_t>{2, 1, 1, 1}));
}

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

TEST_F(SignUpIntakeTest, TakesNewSignUpsAfterTheLastMarkerOnly) {
    const Lines room{"ESP from Bo: $", marker,           "ESP from Ann: $", "Cy: $",
                     "ESP from Ann: $", "ESP from Dee : $", "ESP from Ed: $$"};
    EXPECT_EQ(Run(room), (Lines{"Ann|You are on the List.", "Dee|You are on the List."}));
    EXPECT_EQ(Run(room), Lines{}) << "rows already listed are not confirmed again";
    EXPECT_EQ(console.Entrants(), (Lines{"Ann", "Dee"}));
    EXPECT_EQ(console.TotalPeople(), "2");
    EXPECT_EQ(console.MarkerText, CreditLine);

    const std::pair<Lines, Lines> cases[] = {
        {{"ESP from Bo: $", "ESP from Al: $"}, {"Al", "Bo"}},
        {{"ESP from Bo: $", marker, "ESP from Al: $", marker, "ESP from Cy: $"}, {"Cy"}},
        {{marker, "a line without any colon", "ESP from Cy: $"}, {"Cy"}},
    };
    for (const auto& [lines, names] : cases) {
        console.ClearEntrants();
        Run(lines);
        EXPECT_EQ(console.Entrants(), names) << lines.size();
    }
    platform.yields = 0;
    Run({"a", "b", "c"});
    EXPECT_EQ(platform.yields, 12 + 24 + 2 * 4) << "the fetch's, then one per line and pass";
}

TEST_F(SignUpIntakeTest, PastWinnersMaySignUpAgainAndAreConfirmedByTheScriptElseTheFallback) {
    console.AppendWinner("Bob");
    Save({{15, "Got you!"}});
    EXPECT_EQ(Run({"ESP from Bob: $", "ESP from bob: $"}), (Lines{"Bob|Got you!", "bob|Got you!"}));
    Save({{15, ""}});
    EXPECT_EQ(Run({"ESP from Cy: $"}), Lines{"Cy|You are on the List."});
}

TEST_F(SignUpIntakeTest, MarkerCountStopsAt32767AndSignUpsCountAfterThatMarker) {
    Lines lines(32767, marker);
    lines.insert(lines.end(), {"ESP from Ann: $", marker, "ESP from Bo: $"});
    EXPECT_EQ(Run(lines), (Lines{"Ann|You are on the List.", "Bo|You are on the List."}));
    EXPECT_EQ(console.MarkerCount, 32767);
}

}  // namespace
}  // namespace tamblo
