// The programs under test, their windows and their files, as seen and driven
// from outside: a person's clicks and keys, a screen reader's view, the chat
// client simulator's log.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

// A file beside the runner, where the build puts every program.
std::string BesideTests(const std::string& fileName);
// False when the file cannot be read.
bool ReadFile(const std::string& path, std::string& content);
void WriteFile(const std::string& path, const std::string& content);
std::string ClassOf(HWND window);
std::string TitleOf(HWND window);
// Control characters escaped as the simulator's log escapes them.
std::string Escape(const std::string& text);

// A fresh folder, removed with its content at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A process started (or found running); ended at the end if it still runs.
class Program {
public:
    Program(const std::string& exe, const std::string& folder, const std::string& arguments = "");
    explicit Program(DWORD runningId);
    ~Program();
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // A top-level window of this process, hidden ones too.
    HWND Window(const std::function<bool(HWND)>& accept) const;
    // A visible one with the title (and class, if given), waited for.
    HWND WaitForWindow(const std::string& title, const char* className = nullptr, DWORD ms = 20000) const;
    HWND VisibleOfClass(const std::string& className) const;
    bool Exited(DWORD ms) const { return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The chat-client simulator: its window, its log, lines put into its room.
class ChatSim {
public:
    ChatSim(const ScratchFolder& folder, Program* program);  // takes the program
    ~ChatSim();
    HWND window() const { return window_; }
    const Program& program() const { return *program_; }
    const std::string& failure() const { return failure_; }
    // The log's complete lines, as written.
    std::vector<std::string> Log() const;
    bool Inject(const std::string& line) const;
    bool SendApiData(const std::string& sender, const std::string& data) const;

private:
    bool CopyData(ULONG_PTR code, const std::string& bytes) const;
    const ScratchFolder& folder_;
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
    std::string failure_;
};

COLORREF ClientPixel(HWND window, int x, int y);
HWND FocusOf(HWND window);
RECT RectIn(HWND parent, HWND child);
bool Centred(HWND window);
std::string ControlText(HWND control);
// A menu command or button click, posted so that the runner does not wait;
// or sent, waiting until the command has run to its end.
void PostCommand(HWND window, int id);
bool RunCommand(HWND window, int id);
// A keystroke as the keyboard delivers it: the program's own loop makes the character.
void PressKey(HWND window, WPARAM key);
void PasteInto(HWND box, const std::string& text);
// The list paints its rows: its window colour, and text in its first row.
bool ListShowsRows(HWND list);
int CountWindows(DWORD process, const std::string& title);
// A message box's text.
std::string BoxText(HWND box);

// Handles this thread's messages for a while, as every program with a window
// must (the programs under test broadcast to all windows).
void PumpFor(DWORD ms);

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
    for (const DWORD start = GetTickCount(); !condition(); PumpFor(20))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

}  // namespace e2e
