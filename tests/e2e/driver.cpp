#include "driver.h"

#include <cstring>

namespace e2e {

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD now = start; now - start < ms; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (now - start), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

RECT RectIn(HWND parent, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Centred(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    return outer.left == (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2 &&
           outer.top == (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2;
}

namespace {

WPARAM CommandOf(HWND window, int id) { return MAKEWPARAM(id, GetDlgItem(window, id) ? BN_CLICKED : 0); }

}  // namespace

void PostCommand(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, CommandOf(window, id), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

bool RunCommand(HWND window, int id) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_COMMAND, CommandOf(window, id), reinterpret_cast<LPARAM>(GetDlgItem(window, id)),
                               SMTO_NORMAL, 60000, &result) != 0;
}

void PressKey(HWND window, WPARAM key) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
}

void PasteInto(HWND box, const std::string& text) {
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

bool ListShowsRows(HWND list) {
    RECT rect;
    GetWindowRect(list, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    // One copy of the screen, read pixel by pixel from memory.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    const auto pixel = [&](int x, int y) {
        const DWORD bgr = static_cast<const DWORD*>(bits)[y * width + x];
        return RGB((bgr >> 16) & 255, (bgr >> 8) & 255, bgr & 255);
    };
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    // Inside the border: the list's own colour below its rows, text in the first one.
    bool shows = pixel(width / 2, height - 4) == background;
    bool text = false;
    for (int y = 3; shows && !text && y < 16; ++y)
        for (int x = 3; !text && x < width / 2; ++x) text = pixel(x, y) != background;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shows && text;
}

int CountWindows(DWORD process, const std::string& title) {
    int count = 0;
    char text[512];
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && GetWindowTextA(window, text, sizeof text) > 0 && title == text) ++count;
    }
    return count;
}

}  // namespace e2e
