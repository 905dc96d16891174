// A whole drawing through the console, from welcome to winner, against the
// simulated chat room.
#include <gtest/gtest.h>

#include <algorithm>

#include "chat_sim.h"
#include "room_test.h"
#include "console/win32/console_controls.h"
#include "tamblo_app.h"

namespace {

namespace ids = tamblo::console_controls;
using e2e::ChatSim;
using e2e::TambloApp;

// The texts of the Comm records the room received, by mode ("0" or "2").
std::vector<std::string> Records(const ChatSim& sim, const std::string& mode) {
    const std::string prefix = "poke\tWorldsApi_Communicate\tWorldsApi_Communicate\tTamblo\\f" + mode + "\\f";
    std::vector<std::string> records;
    for (const std::string& line : sim.Log())
        if (line.rfind(prefix, 0) == 0) records.push_back(line.substr(prefix.size()));
    return records;
}

void RunCommand(HWND console, int id, bool menu) { ASSERT_TRUE(e2e::RunCommand(console, id, menu)); }

LRESULT Rows(HWND console, int list) { return SendDlgItemMessageA(console, list, LB_GETCOUNT, 0, 0); }

using Drawing = e2e::RoomTest;

TEST_F(Drawing, FromWelcomeToWinner) {
    Start("host Olvan\n"
                "line ESP from Early: $\n"
                "after 6 ESP from Cy: $\n"
                "after 6 ESP from  Ann : $\n"
                "after 6 Bob: $\n"
                "after 6 ESP from bob: $\n"
          "after 6 ESP from Cy: $\n");

    RunCommand(console, ids::WelcomeMessage, true);
    RunCommand(console, ids::AskForESP, true);
    ASSERT_EQ(Records(*sim, "0").size(), 6u);

    RunCommand(console, ids::GetPlayers, true);
    EXPECT_EQ(Records(*sim, "2"), (std::vector<std::string>{"Cy\\fYou are on the List.",
                                                             "Ann\\fYou are on the List.",
                                                             "bob\\fYou are on the List."}));
    EXPECT_EQ(TambloApp::Title(GetDlgItem(console, ids::TotalPeople)), "3");
    EXPECT_EQ(Rows(console, ids::List1), 3);

    std::string capture;
    ASSERT_TRUE(e2e::ReadWholeFile("C:\\KOBAX.TXT", capture));
    EXPECT_EQ(capture.find("ESP from Early: $\r\nOlvan: Welcome"), 0u);

    // A second press finds nobody new.
    RunCommand(console, ids::GetPlayers, true);
    EXPECT_EQ(Records(*sim, "2").size(), 3u);

    RunCommand(console, ids::Command1, false);
    std::vector<std::string> spoken = Records(*sim, "0");
    EXPECT_EQ(std::vector<std::string>(spoken.end() - 4, spoken.end()),
              (std::vector<std::string>{"\\fThe following are on the list:", "\\fAnn", "\\fbob", "\\fCy"}));

    RunCommand(console, ids::Command12, false);
    EXPECT_EQ(Rows(console, ids::List2), 1);
    spoken = Records(*sim, "0");
    ASSERT_GE(spoken.size(), 8u);
    const std::string winner = spoken[spoken.size() - 3];
    EXPECT_TRUE(winner == "\\fAnn" || winner == "\\fbob" || winner == "\\fCy") << winner;
    EXPECT_EQ(spoken.back(), "\\fPlease ghost for the winner.");
    EXPECT_EQ(TambloApp::Title(GetDlgItem(console, ids::TotalPeople)), "3");

    // The winners can be cleared, then the entrants.
    RunCommand(console, ids::Command13, false);
    EXPECT_EQ(Rows(console, ids::List2), 0);
    EXPECT_EQ(Rows(console, ids::List1), 3);
    RunCommand(console, ids::Command2, false);
    EXPECT_EQ(Rows(console, ids::List1), 0);
    EXPECT_EQ(TambloApp::Title(GetDlgItem(console, ids::TotalPeople)), "0");
    EXPECT_TRUE(tamblo->Close());
}

TEST_F(Drawing, PickWithNobodyToDrawSpeaksNothing) {
    Start();
    RunCommand(console, ids::Command12, false);
    EXPECT_EQ(Records(*sim, "0").size(), 0u);
    EXPECT_EQ(Rows(console, ids::List2), 0);
    EXPECT_TRUE(tamblo->Close());
}

}  // namespace
