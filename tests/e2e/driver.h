// What every directive of an end-to-end case uses: waiting while the window
// system runs, files and texts, windows of other processes and driving them
// as a host would, and the processes under test.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "request_log.h"

namespace e2e {

using Strings = std::vector<std::string>;

inline void Check(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error(what);
}

// Polls while the runner's own window events run; with no time, checks once.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 20000) {
    for (const DWORD start = GetTickCount(); !condition();) {
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

inline void Wait(const std::function<bool()>& condition, const std::string& what, DWORD ms = 10000) {
    Check(WaitUntil(condition, ms), what);
}

// What `read` gives is `expected`, at once or within ms; else the failure tells what it gave last.
inline void Expect(const std::function<std::string()>& read, const std::string& expected, DWORD ms = 0) {
    std::string seen;
    const bool same = WaitUntil([&] { return (seen = read()) == expected; }, ms);
    Check(same, "it is \"" + chatsim::EscapeForLog(seen) + "\"");
}

inline std::string BesideTests(const std::string& fileName) {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/") + 1) + fileName;
}

inline bool ReadFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), {});
    return in.is_open();
}

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline Strings Split(const std::string& text, char separator) {
    Strings parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

// The run's own folder, emptied (read-only files too) at its start and
// kept after it for a look.
inline std::string FreshFolder(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() / ("tamblo-e2e-" + name);
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path, error);
    std::filesystem::create_directories(path);
    return path.string();
}

inline std::string ClassOf(HWND window) {
    char name[256];
    return std::string(name, std::max(GetClassNameA(window, name, sizeof name), 0));
}

inline std::string TitleOf(HWND window) {
    char title[512];
    return std::string(title, std::max(GetWindowTextA(window, title, sizeof title), 0));
}

// Sized first: newer Wine answers no WM_GETTEXT with a buffer as large as
// 1 MiB (error 1460, a time-out).
inline std::string ControlText(HWND control) {
    std::string text(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
    text.resize(SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The top-level windows of a process (0: any) of the class (and title, if given), hidden ones too
// unless only visible ones are asked for. From a snapshot: walking the z-order while it changes can
// end the walk early.
inline std::vector<HWND> WindowsOf(DWORD process, const std::string& className, const char* title = nullptr,
                                   bool visible = false) {
    std::vector<HWND> all, found;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        const bool titled = !title || TitleOf(window) == title, shown = !visible || IsWindowVisible(window);
        if ((!process || owner == process) && ClassOf(window) == className && titled && shown)
            found.push_back(window);
    }
    return found;
}

// A visible one, waited for up to ms (none: looked for once); or none.
inline HWND Showing(DWORD process, const std::string& className, const char* title = nullptr,
                    DWORD ms = 20000) {
    std::vector<HWND> shown;
    WaitUntil([&] { return !(shown = WindowsOf(process, className, title, true)).empty(); }, ms);
    return shown.empty() ? nullptr : shown[0];
}

// A process started (by its wide path, which may lie outside the code page)
// or found by a window it shows; ended at the end if it still runs.
struct Program {
    Program(const std::filesystem::path& exe, const std::string& folder) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        std::wstring commandLine = L"\"" + exe.native() + L"\"";
        Check(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             std::filesystem::path(folder).c_str(), &startup, &info),
              "cannot start " + exe.filename().string());
        CloseHandle(info.hThread);
        process = info.hProcess;
        id = info.dwProcessId;
    }
    explicit Program(const char* className) {
        HWND window = Showing(0, className);
        Check(window != nullptr, std::string("no window of the class ") + className);
        GetWindowThreadProcessId(window, &id);
        process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
    }
    ~Program() {
        if (!Exited(0)) TerminateProcess(process, 99);
        Exited(5000);
        CloseHandle(process);
    }
    bool Exited(DWORD ms) const { return WaitForSingleObject(process, ms) == WAIT_OBJECT_0; }

    HANDLE process = nullptr;
    DWORD id = 0;
};

// A menu command, or a click of the window's control with that id: posted, or sent and waited for.
inline void Command(HWND window, int id, bool wait) {
    HWND control = GetDlgItem(window, id);
    const WPARAM command = MAKEWPARAM(id, control ? BN_CLICKED : 0);
    const LPARAM from = reinterpret_cast<LPARAM>(control);
    DWORD_PTR result = 0;
    if (!wait) PostMessageA(window, WM_COMMAND, command, from);
    else if (!SendMessageTimeoutA(window, WM_COMMAND, command, from, SMTO_NORMAL, 60000, &result))
        throw std::runtime_error("it never ended");
}

// Sent, not set: another program's control takes its text by message only.
inline void SetText(HWND control, const std::string& text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
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
    std::copy_n(text.c_str(), text.size() + 1, static_cast<char*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, WM_PASTE, 0, 0);
    DestroyWindow(owner);
}

inline HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The control's place in the window's client area.
inline RECT RectIn(HWND window, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline std::string Corners(const RECT& r) {
    return std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' + std::to_string(r.right) + ' ' +
           std::to_string(r.bottom);
}

inline COLORREF ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
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
