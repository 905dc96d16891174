#include "console_fixture.h"
#include "link/library_callbacks.h"

namespace tamblo {
namespace {

class ClosingTest : public testing::ConsoleFixture {
protected:
    ~ClosingTest() override { SetClosing(false); }
};

TEST_F(ClosingTest, OnlyTheUnregisterReachesTheClientAndTheLibraryIsNotHeard) {
    platform.readsPerSecond = 1;
    SetClosing(true);
    SayToRoom("Welcome");
    EspTarget() = "Ann";
    EspToAvatar("You are on the List.");
    FetchChatText();
    ProcessAckData("1");
    ProcessReceivedData("Ann", 2, "hi");
    ProcessAllText("ESP from Ann: $");
    UnregisterFromClient();

    EXPECT_EQ(Sent("Dapi"), (std::vector<std::string>{"Unregister Tamblo"}));
    EXPECT_EQ(Sent("KillDDE").size(), 1u);
    EXPECT_EQ(Sent("box").size(), 0u);
    EXPECT_FALSE(FetchedChatText().has_value());
    EXPECT_EQ(Link().ApiChatText, "");
}

}  // namespace
}  // namespace tamblo
