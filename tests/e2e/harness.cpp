#include "harness.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "../../sim/api_wire.h"
#include "../../sim/request_log.h"

namespace e2e {

std::string BesideTests(const std::string& fileName) {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/") + 1) + fileName;
}

bool ReadFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    content = all.str();
    return in.is_open();
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string ClassOf(HWND window) {
    char name[256];
    return std::string(name, std::max(GetClassNameA(window, name, sizeof name), 0));
}

std::string TitleOf(HWND window) {
    char title[512];
    return std::string(title, std::max(GetWindowTextA(window, title, sizeof title), 0));
}

std::string Escape(const std::string& text) { return chatsim::EscapeForLog(text); }

ScratchFolder::ScratchFolder() {
    for (int counter = 1; path_.empty(); ++counter) {
        const auto name = std::filesystem::temp_directory_path() /
                          ("tamblo-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter));
        if (std::filesystem::create_directory(name)) path_ = name.string();
    }
}

// Read-only files too: a case may leave one.
ScratchFolder::~ScratchFolder() {
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error))
        SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, error);
}

Program::Program(const std::string& exe, const std::string& folder, const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

Program::Program(DWORD runningId)
    : process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, runningId)), id_(runningId) {}

Program::~Program() {
    if (!process_) return;
    if (!Exited(0)) {
        TerminateProcess(process_, 99);
        Exited(5000);
    }
    CloseHandle(process_);
}

namespace {

struct Search {
    DWORD process;
    const std::function<bool(HWND)>* accept;
    HWND found;
};

BOOL CALLBACK Offer(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !(*search->accept)(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND Program::Window(const std::function<bool(HWND)>& accept) const {
    Search search{id_, &accept, nullptr};
    EnumWindows(Offer, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForWindow(const std::string& title, const char* className, DWORD ms) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            return (found = Window([&](HWND window) {
                        return IsWindowVisible(window) && TitleOf(window) == title &&
                               (!className || ClassOf(window) == className);
                    })) != nullptr;
        },
        ms);
    return found;
}

HWND Program::VisibleOfClass(const std::string& className) const {
    return Window([&](HWND window) { return IsWindowVisible(window) && ClassOf(window) == className; });
}

// The simulator shows its window only once its service is registered.
ChatSim::ChatSim(const ScratchFolder& folder, Program* program) : folder_(folder), program_(program) {
    if (!program_->started()) failure_ = "cannot start chatsim.exe";
    const DWORD start = GetTickCount();
    while (failure_.empty() && !(window_ = program_->VisibleOfClass(chatsim::SimWindowClass))) {
        std::string errors;
        if (program_->Exited(50) && ReadFile(folder_.File("chatsim-errors.txt"), errors))
            failure_ = "chatsim.exe ended: " + errors;
        else if (GetTickCount() - start > 20000)
            failure_ = "chatsim.exe showed no window";
    }
}

ChatSim::~ChatSim() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    program_->Exited(5000);
}

std::vector<std::string> ChatSim::Log() const {
    std::string content;
    ReadFile(folder_.File("chatsim.log"), content);
    std::vector<std::string> lines;
    // A last line without its line end is still being written.
    for (size_t begin = 0, end; (end = content.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back(content.substr(begin, end - begin - (end > begin && content[end - 1] == '\r')));
    return lines;
}

bool ChatSim::Inject(const std::string& line) const { return CopyData(chatsim::InjectLineData, line); }

bool ChatSim::SendApiData(const std::string& sender, const std::string& data) const {
    return CopyData(chatsim::ReceivedData, sender + '\f' + data);
}

bool ChatSim::CopyData(ULONG_PTR code, const std::string& bytes) const {
    COPYDATASTRUCT data = {code, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    DWORD_PTR result = 0;
    return window_ && SendMessageTimeoutA(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                          5000, &result) && result == TRUE;
}

void PumpFor(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (GetTickCount() - start), QS_ALLINPUT);
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

std::string ControlText(HWND control) {
    static char text[1 << 20];
    return std::string(text, SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)));
}

std::string BoxText(HWND box) { return ControlText(GetDlgItem(box, 0xFFFF)); }

namespace {

WPARAM CommandOf(HWND window, int id) { return MAKEWPARAM(id, GetDlgItem(window, id) ? BN_CLICKED : 0); }

}  // namespace

void PostCommand(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, CommandOf(window, id), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

bool RunCommand(HWND window, int id) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_COMMAND, CommandOf(window, id),
                               reinterpret_cast<LPARAM>(GetDlgItem(window, id)), SMTO_NORMAL, 60000, &result) != 0;
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
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    const auto pixel = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * width + x] & 0xFFFFFF; };
    const DWORD background = pixel(width / 2, height - 4);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    bool text = false;
    for (int y = 3; !text && y < 16; ++y)
        for (int x = 3; !text && x < width / 2; ++x) text = pixel(x, y) != background;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return background == static_cast<DWORD>(GetRValue(window) << 16 | GetGValue(window) << 8 | GetBValue(window)) && text;
}

int CountWindows(DWORD process, const std::string& title) {
    int count = 0;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        count += owner == process && TitleOf(window) == title;
    }
    return count;
}

}  // namespace e2e
