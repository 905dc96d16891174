// The library transport against the simulator and its wadapi.dll: through
// tamblo.exe, and in this process on the program's own adapters.
#include <gtest/gtest.h>

#include <algorithm>

#include "chat_sim.h"
#include "room_test.h"
#include "common/win32/win32_file_system.h"
#include "common/win32/win32_platform.h"
#include "console/win32/console_controls.h"
#include "link/api_library.h"
#include "link/link.h"
#include "link/win32/wadapi_library.h"
#include "tamblo_app.h"

namespace {

using e2e::ChatSim;
using e2e::TambloApp;

constexpr const char* LibrarySettings = "VZones 3.0\r\n0\r\n1\r\n0\r\n";

bool LogHas(const ChatSim& sim, const std::string& line) {
    const auto log = sim.Log();
    return std::find(log.begin(), log.end(), line) != log.end();
}

bool WaitForLog(const ChatSim& sim, const std::string& line) {
    return e2e::WaitUntil([&] { return LogHas(sim, line); });
}

TEST(LibraryLinkThroughTamblo, MissingLibraryIsExplainedAndTheConsoleStaysUsable) {
    e2e::ScratchFolder folder;
    folder.Write("SCONTROL.TXT", LibrarySettings);
    TambloApp tamblo(folder, TambloApp::Library::Absent, false);

    HWND box = tamblo.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message about the missing library";
    const std::string text = TambloApp::MessageBoxText(box);
    EXPECT_NE(text.find("wadapi.dll"), std::string::npos) << text;
    EXPECT_NE(text.find("line 3 of SCONTROL.TXT"), std::string::npos) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    ASSERT_NE(tamblo.WaitForConsole(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(tamblo.console()));
    EXPECT_TRUE(tamblo.Close());
}

TEST(LibraryLinkThroughTamblo, RegistersAndShowsTheClientsResultCodes) {
    e2e::ScratchFolder folder;
    folder.Write("SCONTROL.TXT", LibrarySettings);
    ChatSim sim(folder);
    ASSERT_TRUE(sim.ready()) << sim.failure();

    // Someone else holds the title already: the client answers "9".
    HMODULE library = LoadLibraryA(e2e::BesideTests("wadapi.dll").c_str());
    ASSERT_NE(library, nullptr);
    using Init = int32_t(__stdcall*)(const char*, void*, void*, void*);
    using Title = int32_t(__stdcall*)(const char*);
    auto init = reinterpret_cast<Init>(reinterpret_cast<void*>(GetProcAddress(library, "InitDDE")));
    auto registerTitle = reinterpret_cast<Title>(reinterpret_cast<void*>(GetProcAddress(library, "DapiRegister")));
    ASSERT_TRUE(init && registerTitle);
    init("Tamblo", nullptr, nullptr, nullptr);
    registerTitle("Tamblo");

    TambloApp tamblo(folder, TambloApp::Library::Beside, false);
    EXPECT_TRUE(WaitForLog(sim, "api\tInitDDE\tTamblo"));
    HWND box = tamblo.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TambloApp::Title(box), "ProcessAckData Response Message");
    EXPECT_EQ(TambloApp::MessageBoxText(box), "9 - App.Title already registered");
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    ASSERT_NE(tamblo.WaitForConsole(), nullptr);
    EXPECT_TRUE(tamblo.Close());
    EXPECT_TRUE(LogHas(sim, "api\tDapiUnregister\tTamblo"));
    EXPECT_TRUE(LogHas(sim, "api\tKillDDE"));
    FreeLibrary(library);
}

using LibraryInRoom = e2e::RoomTest;

TEST_F(LibraryInRoom, WelcomeAndAskSpeakThroughTheLibraryWithTheSendPause) {
    StartWith("", "VZones 3.0\r\n0\r\n1\r\n1\r\n", TambloApp::Library::Beside);
    ChatSim& sim = *this->sim;
    ASSERT_TRUE(WaitForLog(sim, "api\tDapiRegister\tTamblo"));

    // One second after each line: the console stays busy and red meanwhile.
    e2e::PostMenuCommand(console, tamblo::console_controls::WelcomeMessage);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowEnabled(console); }, 5000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ClientPixel(console, 4, 120) == RGB(255, 0, 0); }, 3000));
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(console) != FALSE; }, 30000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ClientPixel(console, 4, 120) == RGB(0, 255, 255); }, 3000));

    e2e::PostMenuCommand(console, tamblo::console_controls::AskForESP);
    ASSERT_TRUE(WaitForLog(sim, "api\tDapiCommunicate\tTamblo\t0\t\tPlease ESP a single $ to me to be put on the List."));
    std::vector<std::string> spoken;
    for (const std::string& line : sim.Log())
        if (line.rfind("api\tDapiCommunicate\t", 0) == 0) spoken.push_back(line);
    ASSERT_EQ(spoken.size(), 6u);
    EXPECT_EQ(spoken[0], "api\tDapiCommunicate\tTamblo\t0\t\tWelcome to Olvan's Tamblo Drawing");
    EXPECT_EQ(spoken[4], "api\tDapiCommunicate\tTamblo\t0\t\tYou will be given 10 seconds to appear once a spot "
                         "opens on the floor, if not you lose the prize");
    EXPECT_TRUE(tamblo->Close());
}

TEST_F(LibraryInRoom, AMessageDuringACommandLeavesTheConsoleBusy) {
    StartWith("", "VZones 3.0\r\n0\r\n1\r\n2\r\n", TambloApp::Library::Beside);

    e2e::PostMenuCommand(console, tamblo::console_controls::WelcomeMessage);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowEnabled(console); }, 5000));
    ASSERT_TRUE(sim->SendApiData("Olvan", "hello"));
    HWND box = tamblo->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TambloApp::MessageBoxText(box), "Data received from Olvan: hello");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box); }, 5000));
    Sleep(200);
    EXPECT_FALSE(IsWindowEnabled(console)) << "the command still runs";
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(console) != FALSE; }, 30000));
    EXPECT_TRUE(tamblo->Close());
}

// Message boxes recorded instead of shown, so that this process is not held.
class QuietPlatform : public tamblo::Win32Platform {
public:
    void Show(const std::string& text, const std::string& title, tamblo::MessageIcon) override {
        shown.push_back(title + ": " + text);
    }
    std::vector<std::string> shown;
};

class LibraryLinkInProcess : public ::testing::Test {
protected:
    LibraryLinkInProcess() {
        SetCurrentDirectoryA(folder_.path().c_str());
        CopyFileA(e2e::BesideTests("wadapi.dll").c_str(), folder_.File("wadapi.dll").c_str(), FALSE);
        tamblo::SetFiles(&files_);
        tamblo::SetApiLibrary(&library_);
        tamblo::Link() = tamblo::LinkState{};
        tamblo::Link().UseApiLibrary = true;
        DeleteFileA(tamblo::CaptureFileName);
    }
    ~LibraryLinkInProcess() override {
        tamblo::SetApiLibrary(nullptr);
        tamblo::SetFiles(nullptr);
        DeleteFileA(tamblo::CaptureFileName);
        SetCurrentDirectoryA(e2e::BesideTests("").c_str());
    }

    e2e::ScratchFolder folder_;
    tamblo::Win32FileSystem files_;
    QuietPlatform platform_;
    tamblo::WadapiLibrary library_;
};

TEST_F(LibraryLinkInProcess, SpeaksEspsAndFetchesTheRoomText) {
    ChatSim sim(folder_, "host Olvan\nline Ann: hi\n");
    ASSERT_TRUE(sim.ready()) << sim.failure();

    tamblo::RegisterWithClient();
    tamblo::SayToRoom("Thank you for coming!");
    tamblo::EspTarget() = "Ann";
    tamblo::EspToAvatar("You are on the List.");
    EXPECT_TRUE(LogHas(sim, "api\tDapiCommunicate\tTamblo\t0\t\tThank you for coming!"));
    EXPECT_TRUE(LogHas(sim, "api\tDapiCommunicate\tTamblo\t2\tAnn\tYou are on the List."));

    tamblo::FetchChatText();
    const std::string room = "Ann: hi\r\nOlvan: Thank you for coming!\r\nESP to Ann: You are on the List.\r\n";
    EXPECT_EQ(tamblo::FetchedChatText(), room + "\r\n");
    std::string capture;
    ASSERT_TRUE(e2e::ReadWholeFile(tamblo::CaptureFileName, capture));
    EXPECT_EQ(capture, room + "\r\n");

    // An ESP to someone not in the room comes back as result code 1.
    tamblo::EspTarget() = "Nobody";
    tamblo::EspToAvatar("Hello?");
    EXPECT_EQ(platform_.shown,
              std::vector<std::string>{"ProcessAckData Response Message: 1- Target avatar is not logged on"});

    // Data another party sends the program is shown as it came.
    ASSERT_TRUE(sim.SendApiData("Olvan", "next drawing at nine"));
    EXPECT_TRUE(e2e::WaitUntil([&] {
        tamblo::YieldTimes(1);
        return platform_.shown.size() == 2;
    }));
    EXPECT_EQ(platform_.shown.back(), "Tamblo: Data received from Olvan: next drawing at nine");

    tamblo::UnregisterFromClient();
}

}  // namespace
