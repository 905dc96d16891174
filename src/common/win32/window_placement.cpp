#include "common/win32/window_placement.h"

namespace tamblo {

void SetClientSize(HWND window, int width, int height) {
    // The menu bar's height depends on the width, so measure twice.
    for (int round = 0; round < 2; ++round) {
        RECT outer, client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        const int outerWidth = (outer.right - outer.left) + width - client.right;
        const int outerHeight = (outer.bottom - outer.top) + height - client.bottom;
        SetWindowPos(window, nullptr, 0, 0, outerWidth, outerHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void AllowLargerThanScreen(LPARAM minMaxInfo) {
    reinterpret_cast<MINMAXINFO*>(minMaxInfo)->ptMaxTrackSize = {SHRT_MAX, SHRT_MAX};
}

void CentreOnScreen(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tamblo
