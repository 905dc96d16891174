// The display's dots per inch as a window sees it. The per-monitor functions
// are looked up at run time: without them the program runs at the system's.
#pragma once

#include <windows.h>

namespace tamblo {

// The window's monitor's, where the system tells it apart; else the system's.
int DpiOf(HWND window);

// In WM_NCCREATE: the caption and menu bar follow the monitor too, where
// the awareness of the first per-monitor kind leaves them at the system's.
void ScaleNonClientArea(HWND window);

// WM_DPICHANGED's rectangle, taken as it is.
void TakeSuggestedRect(HWND window, LPARAM lParam);

// Bold "MS Sans Serif" of a size in hundredths of a point (8.25 point is 825).
HFONT BoldFont(int hundredthPoints, int dpi);

}  // namespace tamblo
