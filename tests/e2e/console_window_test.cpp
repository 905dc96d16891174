// The host console as a person sees and uses it.
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

std::string Poke(const std::string& topic, const std::string& data) {
    return "poke\t" + topic + "\t" + topic + "\t" + ChatSim::Escape(data);
}

std::string Speak(const std::string& text) { return Poke("WorldsApi_Communicate", "Tamblo\f0\f\f" + text); }

std::vector<std::string> Pokes(const ChatSim& sim) {
    std::vector<std::string> pokes;
    for (const std::string& line : sim.Log())
        if (line.rfind("poke\t", 0) == 0) pokes.push_back(line);
    return pokes;
}

RECT ClientRectOf(HWND parent, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Waits for the busy frame of a command to end.
bool WaitUntilIdle(HWND console) {
    return e2e::WaitUntil([&] { return IsWindowEnabled(console) != FALSE; }, 30000);
}

TEST(ConsoleWindow, StartsCentredTopmostCyanAndEmptyWithTheLaidOutControls) {
    e2e::ScratchFolder folder;
    TambloApp tamblo(folder);
    ASSERT_TRUE(tamblo.started());
    HWND console = tamblo.console();

    RECT outer;
    GetWindowRect(console, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
    RECT client;
    GetClientRect(console, &client);
    EXPECT_EQ(client.right, 291);
    EXPECT_EQ(client.bottom, 248);
    EXPECT_TRUE(GetWindowLongA(console, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowEnabled(console));

    struct Expected {
        int id;
        const char* className;
        const char* caption;
        RECT rect;
    };
    const Expected controls[] = {
        {ids::List1, "ListBox", "", {8, 8, 281, 101}},
        {ids::Command2, "Button", "Clear", {232, 8, 281, 33}},
        {ids::Command1, "Button", "Read List", {8, 104, 113, 129}},
        {ids::TotalPeople, "Static", "0", {120, 104, 169, 121}},
        {ids::Command12, "Button", "Pick a Winner", {176, 104, 281, 129}},
        {ids::Label11, "Static", "Tamblo Winners List", {8, 128, 281, 145}},
        {ids::List2, "ListBox", "", {8, 144, 281, 237}},
        {ids::Command17, "Button", "Reconnect", {8, 216, 89, 241}},
        {ids::Command13, "Button", "Clear", {232, 216, 281, 241}},
        {ids::Dummy, "Button", "Dummy", {320, 24, 425, 49}},
    };
    for (const Expected& expected : controls) {
        HWND control = GetDlgItem(console, expected.id);
        ASSERT_NE(control, nullptr) << expected.caption;
        EXPECT_EQ(e2e::ClassOf(control), expected.className) << expected.id;
        EXPECT_EQ(TambloApp::Title(control), expected.caption) << expected.id;
        const RECT rect = ClientRectOf(console, control);
        EXPECT_EQ(rect.left, expected.rect.left) << expected.id;
        EXPECT_EQ(rect.top, expected.rect.top) << expected.id;
        EXPECT_EQ(rect.right, expected.rect.right) << expected.id;
        EXPECT_EQ(rect.bottom, expected.rect.bottom) << expected.id;
    }
    EXPECT_EQ(SendDlgItemMessageA(console, ids::List1, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageA(console, ids::List2, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(e2e::FocusOf(console), GetDlgItem(console, ids::Dummy));
    EXPECT_EQ(e2e::ClientPixel(console, 4, 120), RGB(0, 255, 255));

    // Wine does not hand menus across processes: only the bar's presence.
    EXPECT_NE(GetMenu(console), nullptr);

    // Every change of size makes it topmost again.
    SetWindowPos(console, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_FALSE(GetWindowLongA(console, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ShowWindow(console, SW_MINIMIZE);
    ShowWindow(console, SW_RESTORE);
    EXPECT_TRUE(e2e::WaitUntil([&] { return (GetWindowLongA(console, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 5000));
    EXPECT_EQ(SendDlgItemMessageA(console, ids::List1, LB_GETCOUNT, 0, 0), 0);

    EXPECT_TRUE(tamblo.Close());
}

using ConsoleInRoom = e2e::RoomTest;

TEST_F(ConsoleInRoom, WelcomeAndAskSpeakTheirLinesOverDde) {
    Start();
    ASSERT_TRUE(e2e::WaitUntil([&] { return Pokes(*sim).size() == 1; }));

    e2e::PostMenuCommand(console, ids::WelcomeMessage);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Pokes(*sim).size() == 6; }));
    ASSERT_TRUE(WaitUntilIdle(console));
    e2e::PostMenuCommand(console, ids::AskForESP);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Pokes(*sim).size() == 7; }));
    ASSERT_TRUE(WaitUntilIdle(console));

    const std::vector<std::string> pokes = Pokes(*sim);
    const std::vector<std::string> expected = {
        Poke("WorldsApi_Register", "Tamblo"),
        Speak("Welcome to Olvan's Tamblo Drawing"),
        pokes[2],  // the credit line, whatever its wording
        Speak("Thank you for coming!"),
        Speak("There is a limit of 1 prize per avatar and you must be present to win."),
        Speak("You will be given 10 seconds to appear once a spot opens on the floor, if not you lose the prize"),
        Speak("Please ESP a single $ to me to be put on the List."),
    };
    EXPECT_EQ(pokes, expected);
    EXPECT_EQ(pokes[2].rfind(Speak(""), 0), 0u);
    EXPECT_EQ(e2e::FocusOf(console), GetDlgItem(console, ids::Dummy));
    EXPECT_EQ(SendDlgItemMessageA(console, ids::List1, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(TambloApp::Title(GetDlgItem(console, ids::TotalPeople)), "0");
    EXPECT_TRUE(tamblo->Close());
}

TEST_F(ConsoleInRoom, ReconnectRunsDisabledAndRedThenReturnsToIdle) {
    Start();
    ASSERT_TRUE(e2e::WaitUntil([&] { return Pokes(*sim).size() == 1; }));

    e2e::PostClick(console, ids::Command17);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowEnabled(console); }, 5000)) << "never busy";
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ClientPixel(console, 4, 120) == RGB(255, 0, 0); }, 2000));
    ASSERT_TRUE(WaitUntilIdle(console));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ClientPixel(console, 4, 120) == RGB(0, 255, 255); }, 2000));
    EXPECT_EQ(e2e::FocusOf(console), GetDlgItem(console, ids::Dummy));
    EXPECT_EQ(Pokes(*sim), (std::vector<std::string>{Poke("WorldsApi_Register", "Tamblo"),
                                                      Poke("WorldsApi_Unregister", "Tamblo"),
                                                      Poke("WorldsApi_Register", "Tamblo")}));
    EXPECT_TRUE(tamblo->Close());
    EXPECT_EQ(Pokes(*sim).back(), Poke("WorldsApi_Unregister", "Tamblo"));
}

TEST_F(ConsoleInRoom, ClosingInTheMiddleOfACommandEndsTheProgram) {
    Start();

    e2e::PostClick(console, ids::Command17);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowEnabled(console); }, 5000));
    EXPECT_TRUE(tamblo->Close());
}

}  // namespace
