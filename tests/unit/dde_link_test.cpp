#include <gtest/gtest.h>

#include "fake_file_system.h"
#include "fake_platform.h"
#include "link/link.h"

namespace tamblo {
namespace {

using Events = std::vector<std::string>;

class DdeLinkTest : public ::testing::Test {
protected:
    DdeLinkTest() {
        Link() = LinkState{};
        EspTarget().clear();
        Conduit();
        log.events.clear();
    }
    ~DdeLinkTest() override { DestroyConduit(); }

    long Count(const std::string& event) const { return std::count(log.events.begin(), log.events.end(), event); }

    testing::EventLog log;
    testing::FakePlatform platform{log};
    testing::FakeDdeClient client{log};
    testing::FakeFileSystem files;
};

TEST_F(DdeLinkTest, ExchangeTriesFiveTimesTwelveYieldsApartAndKeepsTheErrorCheck) {
    EXPECT_FALSE(client.shown.ErrorCheck);
    client.serviceRunning = false;
    Conduit().DdeRegister();
    Events expected;
    for (int i = 0; i < 5; ++i) expected.insert(expected.end(), {"open WorldsApi|WorldsApi_Register", "yield x12"});
    EXPECT_EQ(log.events, expected);
    EXPECT_TRUE(client.shown.ErrorCheck);

    client.serviceRunning = true;
    client.failingTries = 2;
    log.events.clear();
    Conduit().DdeRegister();
    Conduit().DdeUnregister();
    EXPECT_EQ(log.events, (Events{"open WorldsApi|WorldsApi_Register", "yield x12", "open WorldsApi|WorldsApi_Register",
                                  "yield x12", "open WorldsApi|WorldsApi_Register", "poke WorldsApi_Register Tamblo",
                                  "close", "open WorldsApi|WorldsApi_Unregister", "poke WorldsApi_Unregister Tamblo"}));
    EXPECT_FALSE(Conduit().Fields().ErrorCheck);
    EXPECT_EQ(Conduit().Fields().LinkTopic, "WorldsApi|WorldsApi_Unregister");
    EXPECT_TRUE(Conduit().Fields().LinkOpen);

    client.serviceRunning = false;  // the open conversation is closed once
    log.events.clear();
    Conduit().DdeRegister();
    expected.insert(expected.begin(), "close");
    EXPECT_EQ(log.events, expected);
}

TEST_F(DdeLinkTest, ActivationFindsTheExactTitleElseAPrefixElseEndsTheExchange) {
    Link().ActivateClientWindow = true;
    platform.windows = {{1, "VZones 3.0 - room"}, {2, "Tamblo Program Scripts"}, {3, "Tamblo"}};
    Conduit().DdeRegister();
    platform.windows.push_back({4, "VZones 3.0"});
    Conduit().DdeUnregister();
    EXPECT_EQ(log.events, (Events{"open WorldsApi|WorldsApi_Register", "activate VZones 3.0 - room",
                                  "poke WorldsApi_Register Tamblo", "activate Tamblo", "close",
                                  "open WorldsApi|WorldsApi_Unregister", "activate VZones 3.0",
                                  "poke WorldsApi_Unregister Tamblo", "activate Tamblo"}));

    // No such title, or none at all (which must not pick an untitled window).
    platform.windows.push_back({5, ""});
    for (const char* title : {"No Such Client", ""}) {
        Link().ClientWindowTitle = title;
        log.events.clear();
        Conduit().SetCommFields("0", "", "Hello");
        Conduit().DdeCommunicate();
        EXPECT_EQ(log.events, (Events{"close", "open WorldsApi|WorldsApi_Communicate"})) << title;
        EXPECT_FALSE(Conduit().Fields().ErrorCheck);
    }

    // The console gone after the poke only ends the exchange early.
    Link().ClientWindowTitle = "VZones 3.0";
    platform.windows = {{1, "VZones 3.0"}};
    log.events.clear();
    Conduit().DdeCommunicate();
    EXPECT_EQ(log.events, (Events{"close", "open WorldsApi|WorldsApi_Communicate", "activate VZones 3.0",
                                  "poke WorldsApi_Communicate Tamblo\f0\f\fHello"}));
    EXPECT_FALSE(Conduit().Fields().ErrorCheck);
}

TEST_F(DdeLinkTest, SendersPokeExactCommRecordsAfterTwelveYields) {
    Link().SendPauseSeconds = 3;  // the DDE transport never pauses
    SayToRoom("Thank you for coming!");
    EspTarget() = "Ann Lee";
    EspToAvatar("hi\f0\f\fspoken by the host");  // form feeds cannot rewrite the record
    SayToRoom("");
    EspToAvatar("");
    EspTarget() = "";
    EspToAvatar("You are on the List.");
    EspTarget() = "Ann\f0";
    EspToAvatar("You are on the List.");
    EXPECT_EQ(log.events, (Events{"yield x12", "open WorldsApi|WorldsApi_Communicate",
                                  "poke WorldsApi_Communicate Tamblo\f0\f\fThank you for coming!", "yield x12", "close",
                                  "open WorldsApi|WorldsApi_Communicate",
                                  "poke WorldsApi_Communicate Tamblo\f2\fAnn Lee\fhi 0  spoken by the host"}));
    EXPECT_EQ(Conduit().Fields().AvatarName, "Ann Lee");
    EXPECT_EQ(Conduit().Fields().CommText, "hi 0  spoken by the host");
}

TEST_F(DdeLinkTest, FetchWritesTheWholeAnswerPlusLineEnd) {
    client.answer = "Host: hello\r\nESP from Ann: $\r\n" + std::string(100000, 'x');
    FetchChatText();
    EXPECT_EQ(files.files.at(CaptureFileName), client.answer + "\r\n");
    EXPECT_EQ(FetchedChatText(), client.answer + "\r\n");
    EXPECT_EQ(client.shown.Text1, client.answer);
    EXPECT_EQ(log.events, (Events{"yield x12", "open WorldsApi|WorldsApi_GetAllText", "request Tamblo"}));
}

TEST_F(DdeLinkTest, FetchWithoutAnAnswerMakesFiveAttemptsAndLeavesNoCaptureFile) {
    files.files[CaptureFileName] = "old text\r\n";
    client.serviceRunning = false;
    FetchChatText();
    EXPECT_EQ(files.files.count(CaptureFileName), 0u);
    EXPECT_FALSE(FetchedChatText().has_value());
    EXPECT_EQ(platform.yields, 5 * (12 + 5 * 12));
    EXPECT_EQ(Count("open WorldsApi|WorldsApi_GetAllText"), 25);

    client.serviceRunning = true;  // an empty answer counts as none
    log.events.clear();
    FetchChatText();
    EXPECT_EQ(Count("request Tamblo"), 5);
    EXPECT_FALSE(FetchedChatText().has_value());
}

TEST_F(DdeLinkTest, UnwritableCaptureFileIsToldOnceAndTheTextStillArrives) {
    client.answer = "ESP from Ann: $";
    files.failWrites = true;
    FetchChatText();
    FetchChatText();
    EXPECT_EQ(FetchedChatText(), "ESP from Ann: $\r\n");
    const auto box = [](const std::string& e) { return e.rfind("box ", 0) == 0; };
    EXPECT_EQ(std::count_if(log.events.begin(), log.events.end(), box), 1);
    const std::string told = *std::find_if(log.events.begin(), log.events.end(), box);
    EXPECT_NE(told.find("C:\\KOBAX.TXT"), std::string::npos);
    EXPECT_NE(told.find("There is not enough space on the disk."), std::string::npos);
}

TEST_F(DdeLinkTest, RegisteringCreatesTheConduitAndUnregisteringDestroysIt) {
    DestroyConduit();
    log.events.clear();
    platform.readsPerSecond = 1;
    RegisterWithClient();
    UnregisterFromClient();
    EXPECT_EQ(log.events, (Events{"create conduit", "open WorldsApi|WorldsApi_Register", "poke WorldsApi_Register Tamblo",
                                  "yield x24", "close", "open WorldsApi|WorldsApi_Unregister",
                                  "poke WorldsApi_Unregister Tamblo", "yield x24", "destroy conduit", "yield x24"}));
    EXPECT_FALSE(ConduitExists());
    SayToRoom("still sent");  // on a fresh window
    EXPECT_EQ(client.windowsCreated, 3);
}

TEST_F(DdeLinkTest, PauseEndsOnTheNthChangeOfTheSecondWithoutSpinning) {
    platform.readsPerSecond = 3;
    PauseSeconds(1);
    EXPECT_EQ(platform.yields, 3 * 24);
    EXPECT_EQ(platform.waits, 2);
    for (const int16_t seconds : {int16_t{0}, int16_t{-5}, int16_t{1}, int16_t{3}}) {
        platform.readsPerSecond = 1;
        platform.yields = 0;
        PauseSeconds(seconds);
        EXPECT_EQ(platform.yields, 24 * std::max<int>(1, seconds)) << seconds;
    }
}

}  // namespace
}  // namespace tamblo
