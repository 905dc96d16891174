// What every step of an end-to-end case uses: waiting while the window
// system runs, files and texts, windows of other processes and driving them
// as a host would, and the two programs under test.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "api_wire.h"
#include "request_log.h"
#include "unescape.h"

namespace e2e {

using Strings = std::vector<std::string>;

// Polls while the runner's own window events run.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
    for (const DWORD start = GetTickCount(); !condition();) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

inline void Check(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error(what);
}

inline void Wait(const std::function<bool()>& condition, const std::string& what, DWORD ms = 10000) {
    Check(WaitUntil(condition, ms), what);
}

inline std::string BesideTests(const std::string& fileName) {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/") + 1) + fileName;
}

inline bool ReadFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    content = all.str();
    return in.is_open();
}

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
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

inline std::string Escape(const std::string& text) { return chatsim::EscapeForLog(text); }

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The top-level windows of a process, hidden ones too, that pass. From a
// snapshot: walking the z-order while it changes can end the walk early.
inline std::vector<HWND> WindowsOf(DWORD process, const std::function<bool(HWND)>& accept) {
    std::vector<HWND> all, found;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && accept(window)) found.push_back(window);
    }
    return found;
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

// A process started (or found running); ended at the end if it still runs.
// Started by its wide path, which may lie outside the code page.

class Program {
public:
    Program(const std::filesystem::path& exe, const std::filesystem::path& folder, const std::string& arguments = "") {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        std::wstring commandLine = L"\"" + exe.native() + L"\"" + std::filesystem::path(arguments.empty() ? "" : " " + arguments).native();
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &info))
            return;
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
    explicit Program(DWORD runningId)
        : process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, runningId)), id_(runningId) {}
    ~Program() {
        if (!process_) return;
        if (!Exited(0)) {
            TerminateProcess(process_, 99);
            Exited(5000);
        }
        CloseHandle(process_);
    }
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    bool Exited(DWORD ms) const { return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }
    HWND Window(const std::function<bool(HWND)>& accept) const {
        const auto found = WindowsOf(id_, accept);
        return found.empty() ? nullptr : found.front();
    }
    HWND VisibleOfClass(const std::string& className) const {
        return Window([&](HWND window) { return IsWindowVisible(window) && ClassOf(window) == className; });
    }
    // A visible one with the title (and class, if given), waited for.
    HWND WaitForWindow(const std::string& title, const char* className = nullptr, DWORD ms = 20000) const {
        HWND found = nullptr;
        WaitUntil([&] {
            return (found = Window([&](HWND window) {
                        return IsWindowVisible(window) && TitleOf(window) == title && (!className || ClassOf(window) == className);
                    })) != nullptr;
        }, ms);
        return found;
    }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The chat-client simulator: its window, its log, lines put into its room.
// It shows its window only once its service is registered.
class ChatSim {
public:
    ChatSim(const std::string& folder, std::unique_ptr<Program> program) : folder_(folder), program_(std::move(program)) {
        Check(program_->started(), "cannot start chatsim.exe");
        WaitUntil([&] { return (window_ = program_->VisibleOfClass(chatsim::SimWindowClass)) || program_->Exited(0); });
        std::string errors;
        Check(window_, ReadFile(folder_ + "\\chatsim-errors.txt", errors) ? "the room ended: " + errors : "the room showed no window");
    }
    ~ChatSim() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        program_->Exited(5000);
    }
    HWND window() const { return window_; }
    const Program& program() const { return *program_; }
    // The log's complete lines; a last one without its line end is still being written.
    Strings Log() const {
        std::string content;
        ReadFile(folder_ + "\\chatsim.log", content);
        Strings lines;
        for (size_t begin = 0, end; (end = content.find('\n', begin)) != std::string::npos; begin = end + 1)
            lines.push_back(content.substr(begin, end - begin - (end > begin && content[end - 1] == '\r')));
        return lines;
    }
    bool CopyData(ULONG_PTR code, const std::string& bytes) const {
        COPYDATASTRUCT data = {code, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                                   &result) && result == TRUE;
    }

private:
    const std::string folder_;
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

using tamblo::testing::Unescape;

inline Strings Split(const std::string& text, char separator) {
    Strings parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

// The process showing a top-level window of the class, or 0.
inline DWORD ProcessShowing(const char* className) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(className, nullptr)) && IsWindowVisible(window); });
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process;
}

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
