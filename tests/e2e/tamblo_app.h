// Driving tamblo.exe from outside, as a person or a screen reader would.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "program_under_test.h"

namespace e2e {

class TambloApp {
public:
    enum class Library { Absent, Beside };

    // Copies tamblo.exe (and wadapi.dll, when asked) into the folder, starts
    // it there and waits for its console window.
    explicit TambloApp(const ScratchFolder& folder, Library library = Library::Absent,
                       bool waitForConsole = true);

    bool started() const { return console_ != nullptr; }
    HWND console() const { return console_; }
    HWND WaitForConsole();
    // A message box of the program (also before the console shows), or null.
    HWND WaitForMessageBox(DWORD timeoutMs = 20000) const;
    static std::string MessageBoxText(HWND box);
    static std::string Title(HWND window);
    RunningProgram& process() { return program_; }

    // The hidden conduit window, or null when it does not exist.
    HWND ConduitWindow() const;
    std::string ControlText(HWND parent, int id) const;
    void SetControlText(HWND parent, int id, const std::string& text) const;
    // Posted like a person's click, so that the test does not wait on the program.
    void Click(HWND parent, int id) const;
    bool IsChecked(HWND parent, int id) const;

    // Closes the console and waits for the program to end.
    bool Close();

private:
    static std::string CopiedExe(const ScratchFolder& folder, Library library);

    RunningProgram program_;
    HWND console_ = nullptr;
};

// A pixel of the window's client area as the screen shows it.
COLORREF ClientPixel(HWND window, int x, int y);
// The control with the keyboard focus in the window's thread.
HWND FocusOf(HWND window);
// Posted like a person's choice, so that the test does not wait on the program.
void PostMenuCommand(HWND window, int id);
void PostClick(HWND window, int id);
// Runs a console command and waits until the console is idle again.
bool RunCommand(HWND console, int id, bool fromMenu);

// Polls until the condition holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace e2e
