// The host console window `Tamblo`: the program's main window.
#pragma once

#include <windows.h>

namespace tamblo {

class ConsoleWindow {
public:
    // Creates the window hidden, runs the start-up, then shows it.
    bool Create(HINSTANCE instance, int showCommand);

    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void PaintBackground(HDC dc);

    HWND window_ = nullptr;
};

}  // namespace tamblo
