// chatsim.exe: a stand-in for the chat client, run beside the program under
// test, and the practice room for hosts (see README.md).
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "api_server.h"
#include "chat_client.h"
#include "common/win32/system_dlls.h"
#include "dde_server.h"
#include "request_log.h"
#include "room.h"
#include "scenario.h"
#include "sim_window.h"

namespace {

constexpr const char* DefaultScenarioFile = "scenario.txt";
constexpr const char* LogFile = "chatsim.log";
constexpr const char* RoomFile = "chatsim-room.txt";
constexpr const char* ErrorFile = "chatsim-errors.txt";

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    content = all.str();
    return true;
}

// The whole file, or the content added at its end.
bool WriteToFile(const std::string& path, const std::string& content, bool append = false) {
    HANDLE file = CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size();
    CloseHandle(file);
    return ok;
}

// Swapped in whole, so a reader never sees half a room; written in place
// when a reader holds the file open without letting it be replaced.
void SaveRoomText(const std::string& text) {
    const std::string fresh = std::string(RoomFile) + ".new";
    if (WriteToFile(fresh, text) && MoveFileExA(fresh.c_str(), RoomFile, MOVEFILE_REPLACE_EXISTING)) return;
    DeleteFileA(fresh.c_str());
    WriteToFile(RoomFile, text);
}

// A line more: appended, since rewriting a room of a megabyte for each of
// thousands of ESPs would make the simulator the slowest part of a run.
void AppendToRoomFile(const std::string& line) { WriteToFile(RoomFile, line + "\r\n", true); }

// The practice folder starts the program from here: only once the service
// is up can its start-up register.
void StartProgram(HWND room, const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return;
    }
    MessageBoxA(room, ("The practice room could not start " + program + ".").c_str(), "Practice room",
                MB_OK | MB_ICONWARNING);
}

int Fail(const std::vector<std::string>& errors, int exitCode) {
    std::string text;
    for (const std::string& error : errors) text += error + "\r\n";
    WriteToFile(ErrorFile, text);
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Double-clicked in the download's practice folder, like the program.
    tamblo::LoadSystemDllsFromSystemFolderOnly();
    DeleteFileA(ErrorFile);
    const bool named = __argc > 1;
    const std::string scenarioPath = named ? __argv[1] : DefaultScenarioFile;
    std::string content;
    chatsim::ScenarioResult loaded;
    if (ReadWholeFile(scenarioPath, content)) {
        loaded = chatsim::ParseScenario(content);
    } else if (named) {
        loaded.errors.push_back("cannot read the scenario file " + scenarioPath);
    }
    if (!loaded.errors.empty()) return Fail(loaded.errors, 2);
    const chatsim::Scenario& scenario = loaded.scenario;

    chatsim::RequestLog log(LogFile);
    if (!log.ok()) return Fail({std::string("cannot create ") + LogFile}, 3);
    chatsim::Room room;
    chatsim::ChatClient client(scenario, room, log);
    chatsim::DdeServer server(client);
    chatsim::ApiServer apiServer(client);
    std::string error;
    if (!server.Start(error)) return Fail({error}, 3);

    // The window shows only once the service is up and the room filled, so
    // whoever waits for the window may talk to the service at once.
    chatsim::SimWindow window;
    const bool created = window.Create(
        instance, scenario.title, [&](const std::string& line) { client.Inject(line); },
        [&](HWND from, const COPYDATASTRUCT& data) { return apiServer.CopyData(window.handle(), from, data); });
    if (!created) {
        return Fail({"cannot create the window"}, 3);
    }
    for (const std::string& line : scenario.startLines) room.Append(line);
    window.SetRoomText(room.Text());
    SaveRoomText(room.Text());
    // A crowd of thousands joins in one change, not one rewrite per line.
    bool crowdArriving = false;
    room.OnAppend([&](const std::string& line) {
        if (crowdArriving) return;
        window.AppendRoomLine(line);
        window.SetEspCount(client.espsSent());
        AppendToRoomFile(line);
    });
    window.OnCrowd([&](const std::vector<std::string>& lines) {
        crowdArriving = true;
        for (const std::string& line : lines) client.Inject(line);
        crowdArriving = false;
        window.SetRoomText(room.Text());
        SaveRoomText(room.Text());
    });
    window.Show(showCommand);
    if (__argc > 2) StartProgram(window.handle(), __argv[2]);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window.handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
