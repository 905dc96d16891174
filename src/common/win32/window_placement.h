// Sizing and placing top-level windows.
#pragma once

#include <windows.h>

#include "common/win32/display_dpi.h"

namespace tamblo {

// Sizes the window so that its client area is exactly width x height, from
// the measured client rectangle: a menu bar may wrap to more than one row.
void SetClientSize(HWND window, int width, int height);

// In WM_GETMINMAXINFO: the window keeps the size its layout gives it, also
// where that is larger than the screen (a dense display's, for instance).
void AllowLargerThanScreen(LPARAM minMaxInfo);

// The display's messages, answered alike by every window that scales with
// it: a move to another dpi goes to its own relayout. True when answered;
// WM_NCCREATE, which scales the window's frame too, is left to the default.
template <typename Relayout>
bool AnswerDisplayMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Relayout relayout) {
    switch (message) {
        case WM_NCCREATE: ScaleNonClientArea(window); return false;
        case WM_DPICHANGED: relayout(static_cast<int>(LOWORD(wParam)), lParam); return true;
        case WM_GETMINMAXINFO: AllowLargerThanScreen(lParam); return true;
        default: return false;
    }
}

// Centres by the outer size; halves truncate toward zero, so a window larger
// than the screen gets a negative position.
void CentreOnScreen(HWND window);

}  // namespace tamblo
