#include "common/win32/display_dpi.h"

#include "common/display_scale.h"

namespace tamblo {

namespace {

template <typename Function>
Function FromUser32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), name)));
}

}  // namespace

int DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = FromUser32<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void ScaleNonClientArea(HWND window) {
    using EnableNonClientDpiScalingFn = BOOL(WINAPI*)(HWND);
    static const auto enable = FromUser32<EnableNonClientDpiScalingFn>("EnableNonClientDpiScaling");
    if (enable) enable(window);
}

void TakeSuggestedRect(HWND window, LPARAM lParam) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT BoldFont(int hundredthPoints, int dpi) {
    return CreateFontA(-ToPixelsAt(hundredthPoints, HundredthPointsPerInch, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                       FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

}  // namespace tamblo
