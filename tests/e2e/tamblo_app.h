// Driving tamblo.exe from outside, as a person or a screen reader would.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "program_under_test.h"

namespace e2e {

class TambloApp {
public:
    // Starts tamblo.exe in the folder and waits for its console window.
    explicit TambloApp(const ScratchFolder& folder);

    bool started() const { return console_ != nullptr; }
    HWND console() const { return console_; }
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
    RunningProgram program_;
    HWND console_ = nullptr;
};

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
