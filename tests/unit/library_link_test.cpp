#include "console_fixture.h"
#include "link/library_callbacks.h"
#include "link/library_transport.h"

namespace tamblo {
namespace {

using Events = std::vector<std::string>;

class LibraryLinkTest : public testing::ConsoleFixture {
protected:
    void Registered() {
        platform.onYield = nullptr;
        RegisterWithClient();
        log.events.clear();
        platform.yields = 0;
    }

    // Text arrives at the caller's yield number `at`, counted from the start
    // of the fetch, or during the first request when `at` is 0.
    void Deliver(int at, const std::string& text) {
        library.onGetAllText = [at, text, asked = false]() mutable {
            if (at == 0 && !asked) ProcessAllText(text);
            asked = true;
        };
        platform.onYield = [at, text](int number) {
            if (number == at) ProcessAllText(text);
        };
    }
};

TEST_F(LibraryLinkTest, LinesArePacedByYieldsAndTheSendPause) {
    platform.readsPerSecond = 1;
    for (const int16_t pause : {int16_t{-3}, int16_t{0}, int16_t{3}}) {
        Link().SendPauseSeconds = pause;
        Registered();
        SayToRoom("Hello");
        const int after = pause > 0 ? 24 + 3 * 24 : 24;
        EXPECT_EQ(log.events, (Events{"yield x12", "DapiCommunicate Tamblo|0||Hello", "yield x" + std::to_string(after)}));
    }
    Link().SendPauseSeconds = 0;
    Registered();
    EspTarget() = "Ann\fLee";  // harmless to the library: no record to split
    EspToAvatar("You are on the List.");
    SayToRoom("");
    EspTarget() = "";
    EspToAvatar("text");
    EXPECT_EQ(log.events, (Events{"yield x12", "DapiCommunicate Tamblo|2|Ann\fLee|You are on the List.", "yield x24"}));
}

TEST_F(LibraryLinkTest, FetchTakesOnlyTextDeliveredAfterItsFirstRequest) {
    Registered();
    Deliver(12 + 24, "ESP from Ann: $\r\n");
    FetchChatText();
    EXPECT_EQ(log.events, (Events{"yield x12", "DapiGetAllText Tamblo", "yield x24"}));
    EXPECT_EQ(files.files.at(CaptureFileName), "ESP from Ann: $\r\n\r\n");
    EXPECT_EQ(FetchedChatText(), "ESP from Ann: $\r\n\r\n");

    const std::pair<int, int> counted[] = {{0, 1}, {13, 1}, {2 * 36 + 5, 3}};  // at, requests made
    for (const auto& [at, requests] : counted) {
        Registered();
        Deliver(at, "text " + std::to_string(at));
        FetchChatText();
        EXPECT_EQ(FetchedChatText(), "text " + std::to_string(at) + "\r\n");
        EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "DapiGetAllText Tamblo"), requests);
    }
}

TEST_F(LibraryLinkTest, SilentLibraryGivesNoCaptureFileEvenWithAnEarlierFetchsLateAnswer) {
    Registered();
    Deliver(0, "first drawing's text");
    FetchChatText();
    Registered();
    Deliver(12, "late answer to the first fetch");  // before this fetch asks
    library.onGetAllText = nullptr;
    FetchChatText();
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "DapiGetAllText Tamblo"), 5);
    EXPECT_EQ(platform.yields, 5 * (12 + 24));
    EXPECT_FALSE(FetchedChatText().has_value());
    EXPECT_EQ(files.files.count(CaptureFileName), 0u);
}

TEST_F(LibraryLinkTest, MissingLibraryIsToldAtEachRegistrationAndMutesTheLink) {
    platform.readsPerSecond = 1;
    UnregisterFromClient();
    log.events.clear();
    library.loadFailure = "wadapi.dll: The specified module could not be found.";
    RegisterWithClient();
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0], "load");
    EXPECT_NE(log.events[1].find("box [Tamblo] 2 wadapi.dll: The specified module could not be found."), std::string::npos);
    EXPECT_NE(log.events[1].find("line 3 of SCONTROL.TXT to 0"), std::string::npos);

    log.events.clear();
    files.files[CaptureFileName] = "old";
    SayToRoom("Hello");
    EspTarget() = "Ann";
    EspToAvatar("Hi");
    FetchChatText();
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(FetchedChatText().has_value());

    library.loadFailure.reset();
    UnregisterFromClient();
    RegisterWithClient();
    EXPECT_EQ(log.events, (Events{"yield x24", "load", "InitDDE Tamblo", "DapiRegister Tamblo"}));
}

TEST(LibraryCallbacks, ShowResultsAndDataAndKeepTheText) {
    testing::EventLog log;
    testing::FakePlatform platform{log};
    for (const char* unknown : {"42", "", " 7", "07", "18", "0 "}) EXPECT_EQ(ResultMessage(unknown), "99 - Unknown error occured");
    EXPECT_EQ(ResultMessage("17"), "17 - You are not logged in yet");
    EXPECT_EQ(ProcessAckData("0"), 0);
    EXPECT_EQ(ProcessAckData("1"), 0);
    EXPECT_EQ(ProcessReceivedData("Ann", 5, "hello"), 0);
    EXPECT_EQ(log.events, (Events{"box [ProcessAckData Response Message] 1 1- Target avatar is not logged on",
                                  "box [Tamblo] 0 Data received from Ann: hello"}));
    ProcessAllText("room text");
    EXPECT_EQ(Link().ApiChatText, "room text");
    const char counted[] = "\5\0\0\0hello, more\0 and more";  // the count, then the bytes
    EXPECT_EQ(CountedText(counted + 4), "hello");
    EXPECT_EQ(CountedText(counted + 4, 3), "hel");
    EXPECT_EQ(CountedText(nullptr), "");
}

}  // namespace
}  // namespace tamblo
