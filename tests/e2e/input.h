// Looking at another program's windows and driving them as a host would:
// pixels, focus, places, commands, keys and the clipboard.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "driver.h"

namespace e2e {

inline COLORREF ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

inline HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

inline RECT RectIn(HWND parent, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline std::string Corners(const RECT& r) {
    return std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' + std::to_string(r.right) + ' ' + std::to_string(r.bottom);
}

inline bool Centred(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    return outer.left == (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2 &&
           outer.top == (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2;
}

inline WPARAM CommandOf(HWND window, int id) { return MAKEWPARAM(id, GetDlgItem(window, id) ? BN_CLICKED : 0); }

inline void PostCommand(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, CommandOf(window, id), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

inline bool RunCommand(HWND window, int id) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_COMMAND, CommandOf(window, id),
                               reinterpret_cast<LPARAM>(GetDlgItem(window, id)), SMTO_NORMAL, 60000, &result) != 0;
}

inline void PressKey(HWND window, WPARAM key) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
}

inline void PasteInto(HWND box, const std::string& text) {
    // The clipboard needs an owner window for its data to stay.
    HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(owner);
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, WM_PASTE, 0, 0);
    DestroyWindow(owner);
}

// Its own background, and some other colour across the first row.
inline bool ListShowsRows(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    const COLORREF background = ClientPixel(list, client.right / 2, client.bottom - 3);
    if (background != GetSysColor(COLOR_WINDOW)) return false;
    for (int y = 4; y < 13; y += 2)
        for (int x = 2; x < client.right / 2; ++x)
            if (ClientPixel(list, x, y) != background) return true;
    return false;
}

}  // namespace e2e
