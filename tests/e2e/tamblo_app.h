// tamblo.exe under test: started in a scratch folder, its windows found.
#pragma once

#include <windows.h>

#include <string>

#include "driver.h"
#include "program_under_test.h"

namespace e2e {

class TambloApp {
public:
    // Copies tamblo.exe into the folder and starts it there.
    explicit TambloApp(const ScratchFolder& folder);
    // The program already running in the folder.
    TambloApp(const ScratchFolder&, AttachTo running) : program_(running) {}

    HWND WaitForConsole();
    HWND console() const { return console_; }
    // A message box of the program (also before the console shows), or null.
    HWND WaitForMessageBox(DWORD timeoutMs = 20000) const;
    static std::string MessageBoxText(HWND box);
    RunningProgram& process() { return program_; }

    // The hidden conduit window, or null when it does not exist.
    HWND ConduitWindow() const;
    std::string ControlText(HWND parent, int id) const;
    void SetControlText(HWND parent, int id, const std::string& text) const;
    void Click(HWND parent, int id) const;
    bool IsChecked(HWND parent, int id) const;

private:
    RunningProgram program_;
    HWND console_ = nullptr;
};

}  // namespace e2e
