#include "program_under_test.h"

#include "driver.h"

#include <fstream>
#include <sstream>

namespace e2e {

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

BOOL CALLBACK OfferWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<std::pair<const std::function<bool(HWND)>*, HWND>*>(parameter);
    if (!(*search->first)(window)) return TRUE;
    search->second = window;
    return FALSE;
}

}  // namespace

std::string BesideTests(const std::string& fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + fileName;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        std::ostringstream name;
        name << temp << "tamblo-e2e-" << GetCurrentProcessId() << "-" << ++counter;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            path_ = name.str();
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void ScratchFolder::Write(const std::string& name, const std::string& content) const {
    std::ofstream out(File(name), std::ios::binary);
    out << content;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    content = all.str();
    return true;
}

bool ScratchFolder::Read(const std::string& name, std::string& content) const {
    return ReadWholeFile(File(name), content);
}

RunningProgram::RunningProgram(const std::string& exePath, const std::string& workingFolder,
                               const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

RunningProgram::RunningProgram(AttachTo running)
    : process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, running.processId)), id_(running.processId) {}

RunningProgram::~RunningProgram() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::string ClassOf(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::string TitleOf(HWND window) {
    char title[512];
    const int length = GetWindowTextA(window, title, sizeof title);
    return std::string(title, length > 0 ? length : 0);
}

HWND RunningProgram::FindWindowWhere(const std::function<bool(HWND)>& accept) const {
    const std::function<bool(HWND)> ours = [&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == id_ && accept(window);
    };
    std::pair<const std::function<bool(HWND)>*, HWND> search{&ours, nullptr};
    EnumWindows(OfferWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND RunningProgram::WaitForWindow(const std::string& title, DWORD timeoutMs, const char* className) const {
    const DWORD start = GetTickCount();
    do {
        HWND found = FindWindowWhere([&](HWND window) {
            return IsWindowVisible(window) && TitleOf(window) == title &&
                   (!className || ClassOf(window) == className);
        });
        if (found) return found;
        PumpFor(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND RunningProgram::FindVisibleWindowOfClass(const std::string& className) const {
    return FindWindowWhere([&](HWND window) { return IsWindowVisible(window) && ClassOf(window) == className; });
}

bool RunningProgram::WaitForExit(DWORD timeoutMs) const {
    return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace e2e
