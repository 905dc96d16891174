#include <gtest/gtest.h>

#include "fake_api_library.h"
#include "fake_file_system.h"
#include "fake_platform.h"
#include "link/library_callbacks.h"
#include "link/library_transport.h"
#include "link/link.h"

namespace tamblo {
namespace {

using Events = std::vector<std::string>;

class LibraryLinkTest : public ::testing::Test {
protected:
    LibraryLinkTest() {
        Link() = LinkState{};
        Link().UseApiLibrary = true;
        EspTarget().clear();
    }

    void Registered() {
        platform.onYield = nullptr;
        RegisterWithClient();
        log.events.clear();
        platform.yields = 0;
    }

    // The library answers the first fetch request after this many of the
    // caller's yields (0: during the call itself).
    void AnswerAfterYields(int yields, const std::string& text) {
        library.onGetAllText = [this, yields, text, asked = false]() mutable {
            if (asked) return;
            asked = true;
            if (yields == 0) {
                ProcessAllText(text);
                return;
            }
            const int due = platform.yields + yields;
            platform.onYield = [this, due, text](int number) {
                if (number == due) ProcessAllText(text);
            };
        };
    }

    testing::EventLog log;
    testing::FakePlatform platform{log};
    testing::FakeApiLibrary library{log};
    testing::FakeFileSystem files;
};

TEST_F(LibraryLinkTest, RegistrationReconnectAndShutdownCallTheLibraryInOrderWithoutWaiting) {
    platform.readsPerSecond = 1;
    RegisterWithClient();
    EXPECT_EQ(log.events, (Events{"load", "InitDDE Tamblo", "DapiRegister Tamblo"}));

    log.events.clear();
    UnregisterFromClient();
    RegisterWithClient();
    EXPECT_EQ(log.events, (Events{"DapiUnregister Tamblo", "KillDDE", "yield x24", "load", "InitDDE Tamblo",
                                  "DapiRegister Tamblo"}));
}

TEST_F(LibraryLinkTest, LinesArePacedByYieldsAndTheSendPause) {
    platform.readsPerSecond = 1;
    for (const int16_t pause : {int16_t{-3}, int16_t{0}, int16_t{3}}) {
        Link().SendPauseSeconds = pause;
        Registered();
        SayToRoom("Hello");
        Events expected{"yield x12", "DapiCommunicate Tamblo|0||Hello", "yield x" + std::to_string(pause > 0 ? 24 + 3 * 24 : 24)};
        EXPECT_EQ(log.events, expected) << pause;
    }

    Link().SendPauseSeconds = 0;
    Registered();
    EspTarget() = "Ann\fLee";  // harmless to the library: no record to split
    EspToAvatar("You are on the List.");
    EXPECT_EQ(log.events, (Events{"yield x12", "DapiCommunicate Tamblo|2|Ann\fLee|You are on the List.", "yield x24"}));

    log.events.clear();
    SayToRoom("");
    EspTarget() = "";
    EspToAvatar("text");
    EXPECT_EQ(log.events, Events{});
}

TEST_F(LibraryLinkTest, FetchTakesTextDeliveredDuringTheYieldsAfterTheRequest) {
    Registered();
    AnswerAfterYields(24, "ESP from Ann: $\r\n");
    FetchChatText();
    EXPECT_EQ(log.events, (Events{"yield x12", "DapiGetAllText Tamblo", "yield x24"}));
    EXPECT_EQ(files.files.at(CaptureFileName), "ESP from Ann: $\r\n\r\n");
    EXPECT_EQ(FetchedChatText(), "ESP from Ann: $\r\n\r\n");

    Registered();
    AnswerAfterYields(0, "at once");
    FetchChatText();
    EXPECT_EQ(FetchedChatText(), "at once\r\n");
}

TEST_F(LibraryLinkTest, LateAnswerCountsInALaterAttempt) {
    Registered();
    AnswerAfterYields(24 + 36 + 5, "late text");  // during the third attempt
    FetchChatText();
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "DapiGetAllText Tamblo"), 3);
    EXPECT_EQ(FetchedChatText(), "late text\r\n");
}

TEST_F(LibraryLinkTest, SilentLibraryGivesNoCaptureFileAndNeverTheEarlierFetchsText) {
    Registered();
    AnswerAfterYields(0, "first drawing's text");
    FetchChatText();
    ASSERT_EQ(FetchedChatText(), "first drawing's text\r\n");

    library.onGetAllText = nullptr;
    platform.onYield = nullptr;
    platform.yields = 0;
    log.events.clear();
    FetchChatText();
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "DapiGetAllText Tamblo"), 5);
    EXPECT_EQ(platform.yields, 5 * (12 + 24));
    EXPECT_FALSE(FetchedChatText().has_value());
    EXPECT_EQ(files.files.count(CaptureFileName), 0u);
}

TEST_F(LibraryLinkTest, MissingLibraryIsToldAtEachRegistrationAndMutesTheLink) {
    library.loadFailure = "wadapi.dll: The specified module could not be found.";
    RegisterWithClient();
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0], "load");
    EXPECT_NE(log.events[1].find("box [Tamblo]"), std::string::npos);
    EXPECT_NE(log.events[1].find("wadapi.dll: The specified module could not be found."), std::string::npos);
    EXPECT_NE(log.events[1].find("line 3 of SCONTROL.TXT to 0"), std::string::npos);

    log.events.clear();
    files.files[CaptureFileName] = "old";
    SayToRoom("Hello");
    EspTarget() = "Ann";
    EspToAvatar("Hi");
    FetchChatText();
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(FetchedChatText().has_value());

    // Reconnect tries the library again.
    platform.readsPerSecond = 1;
    library.loadFailure.reset();
    UnregisterFromClient();
    RegisterWithClient();
    EXPECT_EQ(log.events, (Events{"yield x24", "load", "InitDDE Tamblo", "DapiRegister Tamblo"}));
    EXPECT_TRUE(LibraryReady());
}

TEST(ResultCodes, EveryCodeHasItsMessage) {
    const std::pair<const char*, const char*> table[] = {
        {"1", "1- Target avatar is not logged on"},
        {"2", "2 - Your avatar not allowed to send/receive API messages"},
        {"3", "3 - Target avatar is not allowed to send/receive API messages"},
        {"4", "4 - You are in a region that does not allow API messages"},
        {"5", "5 - Target avatar is in a region that does not allow API messages"},
        {"6", "6 - Your avatar is currently busy"},
        {"7", "7 - Target avatar is currently busy"},
        {"8", "8 - Too many names already registered"},
        {"9", "9 - App.Title already registered"},
        {"10", "10 - App.Title was not registered"},
        {"11", "11 - No text was specified"},
        {"12", "12 - Mode was ESP but no avatar name was specified"},
        {"13", "13 - Mode was speak or think but your avatar is a ghost"},
        {"14", "14 - One or more arguments are missing"},
        {"15", "15 - Data length below zero"},
        {"16", "16 - No data was specified"},
        {"17", "17 - You are not logged in yet"},
    };
    for (const auto& [code, message] : table) EXPECT_EQ(ResultMessage(code), message) << code;
    EXPECT_EQ(ResultMessage("0"), std::nullopt);
    for (const char* unknown : {"42", "", " 7", "7 ", "07", "18", "-1", "0 "})
        EXPECT_EQ(ResultMessage(unknown), "99 - Unknown error occured") << '"' << unknown << '"';
}

TEST(LibraryCallbacks, ShowResultsAndDataAndKeepTheText) {
    testing::EventLog log;
    testing::FakePlatform platform{log};
    EXPECT_EQ(ProcessAckData("0"), 0);
    EXPECT_EQ(ProcessAckData("12"), 0);
    EXPECT_EQ(ProcessReceivedData("Ann", 5, "hello"), 0);
    EXPECT_EQ(log.events, (Events{"box [ProcessAckData Response Message] 1 12 - Mode was ESP but no avatar name was specified",
                                  "box [Tamblo] 0 Data received from Ann: hello"}));

    ProcessAllText("room text");
    EXPECT_EQ(Link().ApiChatText, "room text");
    ProcessAllText("");
    EXPECT_EQ(Link().ApiChatText, "");
}

}  // namespace
}  // namespace tamblo
