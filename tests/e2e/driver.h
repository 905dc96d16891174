// What every step of an end-to-end case uses: waiting while the window
// system runs, files and texts, windows of other processes, and the two
// programs under test.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "api_wire.h"
#include "request_log.h"
#include "unescape.h"

namespace e2e {

using Strings = std::vector<std::string>;

inline void PumpFor(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (GetTickCount() - start), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
    for (const DWORD start = GetTickCount(); !condition(); PumpFor(20))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

inline void Check(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error(what);
}

inline void Wait(const std::function<bool()>& condition, const std::string& what, DWORD ms = 10000) {
    Check(WaitUntil(condition, ms), what);
}

inline std::string BesideTests(const std::string& fileName) {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/") + 1) + fileName;
}

inline bool ReadFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    content = all.str();
    return in.is_open();
}

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string ClassOf(HWND window) {
    char name[256];
    return std::string(name, std::max(GetClassNameA(window, name, sizeof name), 0));
}

inline std::string TitleOf(HWND window) {
    char title[512];
    return std::string(title, std::max(GetWindowTextA(window, title, sizeof title), 0));
}

// Sized first: newer Wine answers no WM_GETTEXT with a buffer as large as
// 1 MiB (error 1460, a time-out).
inline std::string ControlText(HWND control) {
    std::string text(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
    text.resize(SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

inline std::string Escape(const std::string& text) { return chatsim::EscapeForLog(text); }

// The top-level windows of a process, hidden ones too, that pass.
inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// A snapshot: walking the z-order while it changes can end the walk early.
inline std::vector<HWND> WindowsOf(DWORD process, const std::function<bool(HWND)>& accept) {
    std::vector<HWND> all, found;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && accept(window)) found.push_back(window);
    }
    return found;
}

// The run's own folder, emptied (read-only files too) at its start and
// kept after it for a look.
inline std::string FreshFolder(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() / ("tamblo-e2e-" + name);
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path, error);
    std::filesystem::create_directories(path);
    return path.string();
}

// A process started (or found running); ended at the end if it still runs.
// Started by its wide path, which may lie outside the code page.

class Program {
public:
    Program(const std::filesystem::path& exe, const std::filesystem::path& folder, const std::string& arguments = "") {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        std::wstring commandLine = L"\"" + exe.native() + L"\"" + std::filesystem::path(arguments.empty() ? "" : " " + arguments).native();
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &info))
            return;
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
    explicit Program(DWORD runningId)
        : process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, runningId)), id_(runningId) {}
    ~Program() {
        if (!process_) return;
        if (!Exited(0)) {
            TerminateProcess(process_, 99);
            Exited(5000);
        }
        CloseHandle(process_);
    }
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    bool Exited(DWORD ms) const { return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }
    HWND Window(const std::function<bool(HWND)>& accept) const {
        const auto found = WindowsOf(id_, accept);
        return found.empty() ? nullptr : found.front();
    }
    HWND VisibleOfClass(const std::string& className) const {
        return Window([&](HWND window) { return IsWindowVisible(window) && ClassOf(window) == className; });
    }
    // A visible one with the title (and class, if given), waited for.
    HWND WaitForWindow(const std::string& title, const char* className = nullptr, DWORD ms = 20000) const {
        HWND found = nullptr;
        WaitUntil([&] {
            return (found = Window([&](HWND window) {
                        return IsWindowVisible(window) && TitleOf(window) == title && (!className || ClassOf(window) == className);
                    })) != nullptr;
        }, ms);
        return found;
    }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The chat-client simulator: its window, its log, lines put into its room.
// It shows its window only once its service is registered.
class ChatSim {
public:
    ChatSim(const std::string& folder, std::unique_ptr<Program> program) : folder_(folder), program_(std::move(program)) {
        Check(program_->started(), "cannot start chatsim.exe");
        WaitUntil([&] { return (window_ = program_->VisibleOfClass(chatsim::SimWindowClass)) || program_->Exited(0); });
        std::string errors;
        Check(window_, ReadFile(folder_ + "\\chatsim-errors.txt", errors) ? "the room ended: " + errors : "the room showed no window");
    }
    ~ChatSim() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        program_->Exited(5000);
    }
    HWND window() const { return window_; }
    const Program& program() const { return *program_; }
    // The log's complete lines; a last one without its line end is still being written.
    Strings Log() const {
        std::string content;
        ReadFile(folder_ + "\\chatsim.log", content);
        Strings lines;
        for (size_t begin = 0, end; (end = content.find('\n', begin)) != std::string::npos; begin = end + 1)
            lines.push_back(content.substr(begin, end - begin - (end > begin && content[end - 1] == '\r')));
        return lines;
    }
    bool CopyData(ULONG_PTR code, const std::string& bytes) const {
        COPYDATASTRUCT data = {code, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                                   &result) && result == TRUE;
    }

private:
    const std::string folder_;
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

using tamblo::testing::Unescape;

inline Strings Split(const std::string& text, char separator) {
    Strings parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

// The process showing a top-level window of the class, or 0.
inline DWORD ProcessShowing(const char* className) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(className, nullptr)) && IsWindowVisible(window); });
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process;
}


}  // namespace e2e
