// The DDE link against the simulator: through tamblo.exe and its hidden
// conduit window, and in this process with the program's own Win32 adapters.
#include <gtest/gtest.h>

#include <algorithm>

#include "chat_sim.h"
#include "common/win32/win32_file_system.h"
#include "common/win32/win32_platform.h"
#include "link/link.h"
#include "link/win32/conduit_controls.h"
#include "link/win32/conduit_window.h"
#include "tamblo_app.h"

namespace {

namespace ids = tamblo::conduit_controls;
using e2e::ChatSim;

std::string Poke(const std::string& topic, const std::string& data) {
    return "poke\t" + topic + "\t" + topic + "\t" + ChatSim::Escape(data);
}

bool LogHas(const ChatSim& sim, const std::string& line) {
    const auto log = sim.Log();
    return std::find(log.begin(), log.end(), line) != log.end();
}

bool WaitForLog(const ChatSim& sim, const std::string& line, DWORD timeoutMs = 20000) {
    return e2e::WaitUntil([&] { return LogHas(sim, line); }, timeoutMs);
}

long Count(const std::vector<std::string>& log, const std::string& prefix) {
    return std::count_if(log.begin(), log.end(),
                         [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

TEST(DdeLinkThroughTamblo, RegistersSpeaksEspsAndUnregisters) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder, "host Olvan\n");
    ASSERT_TRUE(sim.ready()) << sim.failure();
    e2e::TambloApp tamblo(folder);
    ASSERT_TRUE(tamblo.started());
    EXPECT_TRUE(WaitForLog(sim, Poke("WorldsApi_Register", "Tamblo")));

    HWND conduit = tamblo.ConduitWindow();
    ASSERT_NE(conduit, nullptr);
    EXPECT_FALSE(IsWindowVisible(conduit));

    tamblo.SetControlText(conduit, ids::CommMode, "0");
    tamblo.SetControlText(conduit, ids::AvatarName, "");
    tamblo.SetControlText(conduit, ids::CommText, "Thank you for coming!");
    tamblo.Click(conduit, ids::WA_Communicate);
    EXPECT_TRUE(WaitForLog(sim, Poke("WorldsApi_Communicate", "Tamblo\f0\f\fThank you for coming!")));

    tamblo.SetControlText(conduit, ids::CommMode, "2");
    tamblo.SetControlText(conduit, ids::AvatarName, "Ann Lee");
    tamblo.SetControlText(conduit, ids::CommText, "You are on the List.");
    tamblo.Click(conduit, ids::WA_Communicate);
    EXPECT_TRUE(WaitForLog(sim, Poke("WorldsApi_Communicate", "Tamblo\f2\fAnn Lee\fYou are on the List.")));
    EXPECT_EQ(sim.RoomText(), "Olvan: Thank you for coming!\r\nESP to Ann Lee: You are on the List.\r\n");

    tamblo.Click(conduit, ids::WA_GetAllText);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        return tamblo.ControlText(conduit, ids::Text1) ==
               "Olvan: Thank you for coming!\r\nESP to Ann Lee: You are on the List.\r\n";
    }));
    EXPECT_FALSE(tamblo.IsChecked(conduit, ids::ErrorCheck));

    EXPECT_TRUE(tamblo.Close());
    EXPECT_TRUE(LogHas(sim, Poke("WorldsApi_Unregister", "Tamblo")));
}

// The link in this process, on the program's own adapters.
class DdeLinkInProcess : public ::testing::Test {
protected:
    DdeLinkInProcess() : conduitWindows_(GetModuleHandleA(nullptr)) {
        tamblo::SetFiles(&files_);
        tamblo::SetConduitWindowFactory(conduitWindows_);
        tamblo::Link() = tamblo::LinkState{};
        DeleteFileA(tamblo::CaptureFileName);
    }
    ~DdeLinkInProcess() override {
        tamblo::DestroyConduit();
        DeleteFileA(tamblo::CaptureFileName);
        tamblo::SetFiles(nullptr);
    }

    static bool ReadCapture(std::string& content) { return e2e::ReadWholeFile(tamblo::CaptureFileName, content); }

    tamblo::Win32FileSystem files_;
    tamblo::Win32Platform platform_;
    tamblo::Win32ConduitWindows conduitWindows_;
};

TEST_F(DdeLinkInProcess, FetchWritesTheRoomTextPlusLineEndToTheCaptureFile) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder, "line Ann: hello\nline ESP from Ann: $\n");
    ASSERT_TRUE(sim.ready()) << sim.failure();

    tamblo::FetchChatText();
    std::string capture;
    ASSERT_TRUE(ReadCapture(capture));
    EXPECT_EQ(capture, "Ann: hello\r\nESP from Ann: $\r\n\r\n");
    EXPECT_EQ(tamblo::FetchedChatText(), capture);
    EXPECT_TRUE(LogHas(sim, "request\tWorldsApi_GetAllText\tTamblo"));
}

TEST_F(DdeLinkInProcess, WithoutAClientEachExchangeFailsFiveTimesAndNothingIsWritten) {
    HANDLE old = CreateFileA(tamblo::CaptureFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(old, INVALID_HANDLE_VALUE);
    CloseHandle(old);

    tamblo::FetchChatText();
    std::string capture;
    EXPECT_FALSE(ReadCapture(capture)) << "the old capture file survived a fetch that got nothing";
    EXPECT_FALSE(tamblo::FetchedChatText().has_value());
    EXPECT_TRUE(tamblo::Conduit().Fields().ErrorCheck);

    tamblo::SayToRoom("Nobody hears this");
    EXPECT_TRUE(tamblo::Conduit().Fields().ErrorCheck);
}

TEST_F(DdeLinkInProcess, NoClientWindowToActivateSendsNothingAndDoesNotRetry) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder);
    ASSERT_TRUE(sim.ready()) << sim.failure();
    tamblo::Link().ActivateClientWindow = true;
    tamblo::Link().ClientWindowTitle = "No Such Chat Client";

    tamblo::SayToRoom("Never sent");
    EXPECT_FALSE(tamblo::Conduit().Fields().ErrorCheck);
    const auto log = sim.Log();
    EXPECT_EQ(Count(log, "connect\tWorldsApi_Communicate"), 1);
    EXPECT_EQ(Count(log, "poke"), 0);

    // With the simulator's title the same line goes through.
    tamblo::Link().ClientWindowTitle = "VZones 3.0";
    tamblo::SayToRoom("Sent after all");
    EXPECT_TRUE(LogHas(sim, Poke("WorldsApi_Communicate", "Tamblo\f0\f\fSent after all")));
}

}  // namespace
