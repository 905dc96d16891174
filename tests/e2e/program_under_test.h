// Starting the built programs under test and finding their windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// A path beside the test executable, where the build puts every program.
std::string BesideTests(const std::string& fileName);

// A fresh, empty working folder, removed with its content at the end.
// False when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);

std::string ClassOf(HWND window);
std::string TitleOf(HWND window);

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& content) const;
    // Empty optional-like: returns false when the file does not exist.
    bool Read(const std::string& name, std::string& content) const;

private:
    std::string path_;
};

// A program already running, started by something else under test.
struct AttachTo {
    DWORD processId;
};

class RunningProgram {
public:
    RunningProgram(const std::string& exePath, const std::string& workingFolder, const std::string& arguments = "");
    explicit RunningProgram(AttachTo running);
    ~RunningProgram();  // ends the process if it still runs
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }

    // A top-level window of this process that the test accepts, or null.
    HWND FindWindowWhere(const std::function<bool(HWND)>& accept) const;
    // A visible top-level window of this process with exactly this title
    // (and class, when given).
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 20000, const char* className = nullptr) const;
    HWND FindVisibleWindowOfClass(const std::string& className) const;
    bool WaitForExit(DWORD timeoutMs = 10000) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace e2e
