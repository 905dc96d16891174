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
    }
    ~DdeLinkTest() override { DestroyConduit(); }

    // Starts the event list afresh with the conduit already created.
    void FreshLog() {
        Conduit();
        log.events.clear();
    }

    testing::EventLog log;
    testing::FakePlatform platform{log};
    testing::FakeConversation client{log};
    testing::FakeConduitWindows conduits{log, client};
    testing::FakeFileSystem files;
};

TEST_F(DdeLinkTest, ExchangeWithNoClientTriesFiveTimesThenSetsErrorCheck) {
    client.serviceRunning = false;
    FreshLog();
    Conduit().DdeRegister();
    Events expected;
    for (int i = 0; i < 5; ++i) {
        expected.push_back("open WorldsApi|WorldsApi_Register");
        expected.push_back("yield x12");
    }
    EXPECT_EQ(log.events, expected);
    EXPECT_TRUE(Conduit().Fields().ErrorCheck);
    EXPECT_TRUE(conduits.shown.ErrorCheck);
}

TEST_F(DdeLinkTest, ExchangeSucceedingOnTheThirdTryClearsErrorCheck) {
    client.serviceRunning = false;
    FreshLog();
    Conduit().DdeUnregister();
    ASSERT_TRUE(Conduit().Fields().ErrorCheck);

    client.serviceRunning = true;
    client.failingTries = 2;
    log.events.clear();
    Conduit().DdeRegister();
    EXPECT_EQ(log.events, (Events{"open WorldsApi|WorldsApi_Register", "yield x12",
                                  "open WorldsApi|WorldsApi_Register", "yield x12",
                                  "open WorldsApi|WorldsApi_Register", "poke WorldsApi_Register Tamblo"}));
    EXPECT_FALSE(Conduit().Fields().ErrorCheck);
    EXPECT_EQ(Conduit().Fields().LinkTopic, "WorldsApi|WorldsApi_Register");
    EXPECT_TRUE(Conduit().Fields().LinkOpen);
}

TEST_F(DdeLinkTest, NextExchangeClosesTheConversationLeftOpen) {
    FreshLog();
    Conduit().DdeRegister();
    Conduit().DdeUnregister();
    EXPECT_EQ(log.events, (Events{"open WorldsApi|WorldsApi_Register", "poke WorldsApi_Register Tamblo",
                                  "close", "open WorldsApi|WorldsApi_Unregister",
                                  "poke WorldsApi_Unregister Tamblo"}));
}

TEST_F(DdeLinkTest, ActivationFindsExactTitleFirstThenTitlePrefix) {
    Link().ActivateClientWindow = true;
    platform.windows = {{1, "VZones 3.0 - room"}, {2, "Tamblo Program Scripts"}, {3, "Tamblo"}};
    FreshLog();
    Conduit().DdeRegister();
    EXPECT_EQ(log.events, (Events{"open WorldsApi|WorldsApi_Register", "activate VZones 3.0 - room",
                                  "poke WorldsApi_Register Tamblo", "activate Tamblo"}));

    platform.windows = {{1, "VZones 3.0 - room"}, {4, "VZones 3.0"}, {3, "Tamblo"}};
    log.events.clear();
    Conduit().DdeUnregister();
    EXPECT_EQ(log.events[2], "activate VZones 3.0");
}

TEST_F(DdeLinkTest, NoWindowToActivateEndsTheExchangeWithoutSendingOrRetrying) {
    Link().ActivateClientWindow = true;
    Link().ClientWindowTitle = "No Such Client";
    platform.windows = {{3, "Tamblo"}};
    FreshLog();
    Conduit().SetCommFields("0", "", "Hello");
    Conduit().DdeCommunicate();
    EXPECT_EQ(log.events, Events{"open WorldsApi|WorldsApi_Communicate"});
    EXPECT_FALSE(Conduit().Fields().ErrorCheck);

    // The console gone after the poke only ends the exchange early.
    Link().ClientWindowTitle = "VZones 3.0";
    platform.windows = {{1, "VZones 3.0"}};
    log.events.clear();
    Conduit().DdeCommunicate();
    EXPECT_EQ(log.events, (Events{"close", "open WorldsApi|WorldsApi_Communicate", "activate VZones 3.0",
                                  "poke WorldsApi_Communicate Tamblo\f0\f\fHello"}));
    EXPECT_FALSE(Conduit().Fields().ErrorCheck);
}

TEST_F(DdeLinkTest, SendersPokeExactCommRecordsAfterTwelveYieldsAndNothingAfter) {
    Link().SendPauseSeconds = 3;  // the DDE transport never pauses
    FreshLog();
    SayToRoom("Thank you for coming!");
    EspTarget() = "Ann Lee";
    EspToAvatar("You are on the List.");
    EXPECT_EQ(log.events,
              (Events{"yield x12", "open WorldsApi|WorldsApi_Communicate",
                      "poke WorldsApi_Communicate Tamblo\f0\f\fThank you for coming!", "yield x12",
                      "close", "open WorldsApi|WorldsApi_Communicate",
                      "poke WorldsApi_Communicate Tamblo\f2\fAnn Lee\fYou are on the List."}));
    EXPECT_EQ(Conduit().Fields().CommMode, "2");
    EXPECT_EQ(Conduit().Fields().AvatarName, "Ann Lee");
    EXPECT_EQ(Conduit().Fields().CommText, "You are on the List.");
}

TEST_F(DdeLinkTest, SendersDoNothingForEmptyTextOrTarget) {
    FreshLog();
    SayToRoom("");
    EspTarget() = "Ann";
    EspToAvatar("");
    EspTarget() = "";
    EspToAvatar("You are on the List.");
    EXPECT_EQ(log.events, Events{});
}

TEST_F(DdeLinkTest, FormFeedsCannotRewriteTheCommRecord) {
    FreshLog();
    EspTarget() = "Mallory";
    EspToAvatar("hi\f0\f\fspoken by the host");
    EXPECT_EQ(log.events.back(), "poke WorldsApi_Communicate Tamblo\f2\fMallory\fhi 0  spoken by the host");

    log.events.clear();
    EspTarget() = "Ann\f0";
    EspToAvatar("You are on the List.");
    EXPECT_EQ(log.events, Events{});
}

TEST_F(DdeLinkTest, FetchWritesTheAnswerPlusLineEnd) {
    client.answer = "Host: hello\r\nESP from Ann: $\r\n";
    FreshLog();
    FetchChatText();
    const std::string expected = "Host: hello\r\nESP from Ann: $\r\n\r\n";
    EXPECT_EQ(files.files.at(CaptureFileName), expected);
    EXPECT_EQ(FetchedChatText(), expected);
    EXPECT_EQ(log.events, (Events{"yield x12", "open WorldsApi|WorldsApi_GetAllText", "request Tamblo"}));
}

TEST_F(DdeLinkTest, FetchKeepsALongAnswerWhole) {
    client.answer = std::string(100000, 'x');
    FreshLog();
    FetchChatText();
    EXPECT_EQ(files.files.at(CaptureFileName).size(), 100002u);
}

TEST_F(DdeLinkTest, FetchWithoutClientMakesFiveAttemptsAndLeavesNoCaptureFile) {
    files.files[CaptureFileName] = "old text\r\n";
    client.serviceRunning = false;
    FreshLog();
    FetchChatText();
    EXPECT_EQ(files.files.count(CaptureFileName), 0u);
    EXPECT_FALSE(FetchedChatText().has_value());
    EXPECT_EQ(platform.yields, 5 * (12 + 5 * 12));
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "open WorldsApi|WorldsApi_GetAllText"), 25);

    // An empty answer counts as none.
    client.serviceRunning = true;
    client.answer = "";
    log.events.clear();
    FetchChatText();
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "request Tamblo"), 5);
    EXPECT_FALSE(FetchedChatText().has_value());
}

TEST_F(DdeLinkTest, UnwritableCaptureFileIsToldOnceAndTheTextStillArrives) {
    client.answer = "ESP from Ann: $";
    files.failWrites = true;
    FreshLog();
    FetchChatText();
    FetchChatText();
    EXPECT_EQ(FetchedChatText(), "ESP from Ann: $\r\n");
    const auto boxes = std::count_if(log.events.begin(), log.events.end(),
                                     [](const std::string& e) { return e.rfind("box ", 0) == 0; });
    EXPECT_EQ(boxes, 1);
    const std::string box = *std::find_if(log.events.begin(), log.events.end(),
                                          [](const std::string& e) { return e.rfind("box ", 0) == 0; });
    EXPECT_NE(box.find("C:\\KOBAX.TXT"), std::string::npos);
    EXPECT_NE(box.find("There is not enough space on the disk."), std::string::npos);
}

TEST_F(DdeLinkTest, RegisteringCreatesTheConduitAndUnregisteringDestroysIt) {
    platform.readsPerSecond = 1;
    RegisterWithClient();
    EXPECT_EQ(log.events, (Events{"create conduit", "open WorldsApi|WorldsApi_Register",
                                  "poke WorldsApi_Register Tamblo", "yield x24"}));
    log.events.clear();
    UnregisterFromClient();
    EXPECT_EQ(log.events, (Events{"close", "open WorldsApi|WorldsApi_Unregister",
                                  "poke WorldsApi_Unregister Tamblo", "yield x24", "destroy conduit",
                                  "yield x24"}));
    EXPECT_FALSE(ConduitExists());

    // A later exchange runs on a fresh window.
    SayToRoom("still sent");
    EXPECT_EQ(conduits.created, 2);
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
