// Reading and driving the program's windows from outside, as a person or a
// screen reader would.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// A pixel of the window's client area as the screen shows it.
COLORREF ClientPixel(HWND window, int x, int y);
// The control with the keyboard focus in the window's thread.
HWND FocusOf(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT RectIn(HWND parent, HWND child);
bool Centred(HWND window);
// Menu command or button click, posted so that the driver does not wait.
void PostCommand(HWND window, int id);
// The same, waiting until the command has run to its end.
bool RunCommand(HWND window, int id);
// A keystroke as the keyboard delivers it: the program's own loop turns it
// into a character.
void PressKey(HWND window, WPARAM key);
void PasteInto(HWND box, const std::string& text);
// The list paints its own rows: its window colour and some darker text
// pixels in the first row.
bool ListShowsRows(HWND list);
int CountWindows(DWORD process, const std::string& title);

// Handles this thread's messages for a while, as every program with a
// window must (the programs under test broadcast to all windows).
void PumpFor(DWORD ms);

// Polls until the condition holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        PumpFor(20);
    }
    return true;
}

}  // namespace e2e
