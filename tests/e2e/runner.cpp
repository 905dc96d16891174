// Runs one scripted end-to-end case (cases/README.md): starts the chat-client
// simulator and tamblo.exe in a scratch folder, drives them as a host would
// and compares what the chat client received, once per transport named.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../sim/api_wire.h"
#include "../../sim/request_log.h"
#include "../../sim/sim_resources.h"
#include "console/win32/console_controls.h"
#include "link/win32/conduit_controls.h"
#include "scripts/win32/editor_controls.h"

namespace {

namespace ids = tamblo::console_controls;
namespace editor_ids = tamblo::editor_controls;
namespace conduit_ids = tamblo::conduit_controls;
using Strings = std::vector<std::string>;

void PumpFor(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (GetTickCount() - start), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
    for (const DWORD start = GetTickCount(); !condition(); PumpFor(20))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

void Check(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error(what);
}

void Wait(const std::function<bool()>& condition, const std::string& what, DWORD ms = 10000) {
    Check(WaitUntil(condition, ms), what);
}

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

std::string ControlText(HWND control) {
    static char text[1 << 20];
    return std::string(text, SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)));
}

std::string Escape(const std::string& text) { return chatsim::EscapeForLog(text); }

// The top-level windows of a process, hidden ones too, that pass.
std::vector<HWND> WindowsOf(DWORD process, const std::function<bool(HWND)>& accept) {
    std::vector<HWND> found;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && accept(window)) found.push_back(window);
    }
    return found;
}

// The run's own folder, emptied (read-only files too) at its start and
// kept after it for a look.
std::string FreshFolder(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() / ("tamblo-e2e-" + name);
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error))
        SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path, error);
    std::filesystem::create_directories(path);
    return path.string();
}

// A process started (or found running); ended at the end if it still runs.
class Program {
public:
    Program(const std::string& exe, const std::string& folder, const std::string& arguments = "") {
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
    ChatSim(const std::string& folder, Program* program) : folder_(folder), program_(program) {
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

WPARAM CommandOf(HWND window, int id) { return MAKEWPARAM(id, GetDlgItem(window, id) ? BN_CLICKED : 0); }

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

// Its own background, and some other colour across the first row.
bool ListShowsRows(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    const COLORREF background = ClientPixel(list, client.right / 2, client.bottom - 3);
    if (background != GetSysColor(COLOR_WINDOW)) return false;
    for (int y = 4; y < 13; y += 2)
        for (int x = 2; x < client.right / 2; ++x)
            if (ClientPixel(list, x, y) != background) return true;
    return false;
}

// \r \n \t \f \0 \\ and \xNN; everything else as it stands.
std::string Unescape(const std::string& text) {
    static const std::string Letters = "rntf0", Bytes("\r\n\t\f\0", 5);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[++i] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += Letters.find(text[i]) == std::string::npos ? text[i] : Bytes[Letters.find(text[i])];
        }
    }
    return out;
}

Strings Split(const std::string& text, char separator) {
    Strings parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

const std::map<std::string, int> ConsoleIds = {
    {"WelcomeMessage", ids::WelcomeMessage}, {"AskForESP", ids::AskForESP}, {"GetPlayers", ids::GetPlayers},
    {"CloseIt", ids::CloseIt},   {"Scripter", ids::Scripter},   {"List1", ids::List1},
    {"Command2", ids::Command2}, {"Command1", ids::Command1},   {"TotalPeople", ids::TotalPeople},
    {"Command12", ids::Command12}, {"Label11", ids::Label11},   {"List2", ids::List2},
    {"Command17", ids::Command17}, {"Command13", ids::Command13}, {"Dummy", ids::Dummy},
    {"ErrorCheck", conduit_ids::ErrorCheck}, {"CommMode", conduit_ids::CommMode},
    {"AvatarName", conduit_ids::AvatarName}, {"CommText", conduit_ids::CommText}, {"Text1", conduit_ids::Text1},
    {"WA_Communicate", conduit_ids::WA_Communicate}, {"WA_GetAllText", conduit_ids::WA_GetAllText},
};

const std::map<std::string, WPARAM> Keys = {{"TAB", VK_TAB},   {"RETURN", VK_RETURN}, {"UP", VK_UP},
                                           {"DOWN", VK_DOWN}, {"PRIOR", VK_PRIOR},   {"NEXT", VK_NEXT}};

int IdOf(const std::string& name) {
    const auto found = ConsoleIds.find(name);
    Check(found != ConsoleIds.end(), "no control named " + name);
    return found->second;
}

// The case's record shorthand as the transport's log lines: register,
// unregister, fetch, say TEXT, esp NAME|TEXT; "winner" and "..." are matched
// apart; "= LINE" stands as it is.
Strings Expand(const std::string& record, bool library) {
    const size_t space = record.find(' ');
    const std::string word = record.substr(0, space);
    const std::string text = space == std::string::npos ? "" : Unescape(record.substr(space + 1));
    using chatsim::LogLine;
    const auto poke = [](const std::string& topic, const std::string& data) { return LogLine("poke", {topic, topic, data}); };
    const auto communicate = [&](const char* mode, const std::string& name, const std::string& line) {
        if (library) return LogLine("api", {"DapiCommunicate", "Tamblo", mode, name, line});
        return poke("WorldsApi_Communicate", std::string("Tamblo\f") + mode + "\f" + name + "\f" + line);
    };
    if (word == "=") return {Escape(text)};
    if (word == "..." || word == "winner") return {word + "\t" + text};
    if (word == "register")
        return library ? Strings{LogLine("api", {"InitDDE", "Tamblo"}), LogLine("api", {"DapiRegister", "Tamblo"})}
                       : Strings{poke("WorldsApi_Register", "Tamblo")};
    if (word == "unregister")
        return library ? Strings{LogLine("api", {"DapiUnregister", "Tamblo"}), LogLine("api", {"KillDDE"})}
                       : Strings{poke("WorldsApi_Unregister", "Tamblo")};
    if (word == "fetch")
        return {library ? LogLine("api", {"DapiGetAllText", "Tamblo"}) : LogLine("request", {"WorldsApi_GetAllText", "Tamblo"})};
    if (word == "say") return {communicate("0", "", text)};
    Check(word == "esp", "unknown record " + record);
    return {communicate("2", text.substr(0, text.find('|')), text.substr(text.find('|') + 1))};
}

// The process showing a top-level window of the class, or 0.
DWORD ProcessShowing(const char* className) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(className, nullptr)) && IsWindowVisible(window); });
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process;
}

// A directive's argument: whole, its words, its first word and the
// unescaped rest, and the lines after it for a block.
struct Arg {
    std::string all, name, text;
    Strings words;
    std::istream* block;
};

// One run of a case in one transport.
class Run {
public:
    void Do(const std::string& keyword, const std::string& argument, std::istream& block) {
        const auto directive = directives_.find(keyword);
        Check(directive != directives_.end(), "unknown directive");
        const size_t space = argument.find(' ');
        directive->second({argument, argument.substr(0, space), space == std::string::npos ? "" : Unescape(argument.substr(space + 1)),
                           Split(argument, ' '), &block});
    }

    Run(const std::string& name, bool library) : library_(library), folder_(FreshFolder(name + (library ? ".library" : ".dde"))) {
        // Before the start, and files.
        directives_["room"] = [this](const Arg& a) {
            if (a.all == "none") room_ = false;
            else scenario_ += a.all + "\n";
        };
        directives_["file"] = [this](const Arg& a) { WriteFile(Path(a.name), written_[a.name] = a.text); };
        directives_["copy"] = [this](const Arg& a) { CopyFileA(Path(a.name).c_str(), Path(a.text).c_str(), FALSE); };
        directives_["readonly"] = [this](const Arg& a) { SetFileAttributesA(Path(a.all).c_str(), FILE_ATTRIBUTE_READONLY); };
        directives_["writable"] = [this](const Arg& a) { SetFileAttributesA(Path(a.all).c_str(), FILE_ATTRIBUTE_NORMAL); };
        directives_["untitled-window"] = [](const Arg&) {
            CreateWindowA("STATIC", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 80, 40, nullptr, nullptr, nullptr, nullptr);
        };
        directives_["start"] = [this](const Arg&) { Start(); };
        directives_["practice"] = [this](const Arg&) { StartPractice(); };
        directives_["file-is"] = [this](const Arg& a) {
            std::string content;
            const bool exists = ReadFile(Path(a.name), content);
            if (a.text == "absent") Check(!exists, a.name + " exists");
            else Check(exists && content == (a.text == "unchanged" ? written_[a.name] : a.text), "it holds \"" + Escape(content) + "\"");
        };
        OnConsole();
        OnRoom();
        OnEditor();
        OnDisplay();
    }
    // The next case starts at 96 dpi again.
    ~Run() {
        if (dpi_ != 96) SetLogPixels(96);
    }

private:
    void Start() {
        // Unless the case wrote its own: the transport's settings, and the
        // simulated library beside the program for the library transport.
        if (!written_.count("SCONTROL.TXT"))
            WriteFile(File("SCONTROL.TXT"), std::string("VZones 3.0\r\n0\r\n") + (library_ ? "1" : "0") + "\r\n0\r\n");
        if (library_) CopyFileA(BesideTests("wadapi.dll").c_str(), File("wadapi.dll").c_str(), TRUE);
        if (room_) {
            WriteFile(File("scenario.txt"), scenario_);
            sim_ = std::make_unique<ChatSim>(folder_, new Program(BesideTests("chatsim.exe"), folder_));
        }
        CopyFileA(BesideTests("tamblo.exe").c_str(), File("tamblo.exe").c_str(), FALSE);
        app_ = std::make_unique<Program>(File("tamblo.exe"), folder_);
        Check(app_->started(), "tamblo.exe did not start");
    }

    // The download's practice folder, unpacked beside the tests by the build,

    // started as a host starts it: practice.cmd starts the room, which starts

    // the program.

    void StartPractice() {
        std::error_code error;
        std::filesystem::copy(BesideTests("unpacked\\practice"), folder_, std::filesystem::copy_options::recursive, error);
        Check(!error, "no practice folder beside the runner: " + error.message());
        if (library_ && !written_.count("SCONTROL.TXT")) WriteFile(File("SCONTROL.TXT"), "VZones 3.0\r\n0\r\n1\r\n0\r\n");
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        Check(Program(std::string(system) + "\\cmd.exe", folder_, "/c practice.cmd").Exited(20000), "practice.cmd did not end");
        sim_ = std::make_unique<ChatSim>(folder_, new Program(ProcessShowing("ChatSimRoom")));
        app_ = std::make_unique<Program>(ProcessShowing("Tamblo"));
    }

    HWND Console() {
        // By class too: a message box may carry the same title.
        if (app_ && !console_) console_ = app_->WaitForWindow("Tamblo", "Tamblo");
        Check(console_ != nullptr, "no console window");
        return console_;
    }

    void OnConsole() {
        directives_["do"] = [this](const Arg& a) { Check(RunCommand(Console(), IdOf(a.all)), "it never ended"); };
        directives_["post"] = [this](const Arg& a) { PostCommand(Console(), IdOf(a.all)); };
        directives_["wait"] = [this](const Arg& a) {
            Wait([&] { return (IsWindowEnabled(Console()) == FALSE) == (a.all == "busy"); }, "it never came", 30000);
        };
        directives_["close"] = [this](const Arg&) { PostMessageA(Console(), WM_CLOSE, 0, 0); };
        directives_["exits"] = [this](const Arg&) { Check(app_->Exited(20000), "the program did not end"); };
        directives_["rows"] = [this](const Arg& a) {
            LRESULT rows = 0;
            Wait([&] { return (rows = SendDlgItemMessageA(Console(), IdOf(a.name), LB_GETCOUNT, 0, 0)) == std::stol(a.text); },
                 std::to_string(rows) + " rows");
        };
        directives_["text"] = [this](const Arg& a) {
            const std::string shown = TitleOf(GetDlgItem(Console(), IdOf(a.name)));
            Check(shown == a.text, "it shows \"" + shown + "\"");
        };
        // control NAME CLASS LEFT TOP RIGHT BOTTOM CAPTION, in the console's client area
        directives_["control"] = [this](const Arg& a) {
            HWND control = GetDlgItem(Console(), IdOf(a.name));
            const RECT r = RectIn(Console(), control);
            std::ostringstream seen;
            seen << ClassOf(control) << ' ' << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << ' ' << TitleOf(control);
            Check(seen.str() == a.text || seen.str() == a.text + " ", "it is " + seen.str());
        };
        directives_["client"] = [this](const Arg& a) {
            RECT client;
            GetClientRect(WindowNamed(a.name), &client);
            const std::string size = std::to_string(client.right) + " " + std::to_string(client.bottom);
            Check(size == a.text, "client size " + size);
        };
        directives_["centred"] = [this](const Arg& a) { Check(Centred(WindowNamed(a.all)), "not centred"); };
        directives_["focus"] = [this](const Arg& a) {
            HWND window = WindowNamed(a.name);
            HWND expected = a.name == "editor" ? EditorControl(a.text) : GetDlgItem(window, IdOf(a.text));
            Wait([&] { return FocusOf(window) == expected; }, "the focus is on " + std::to_string(GetDlgCtrlID(FocusOf(window))));
        };
        directives_["pixel"] = [this](const Arg& a) {  // pixel WINDOW X Y RRGGBB
            const unsigned long rgb = std::stoul(a.words.at(3), nullptr, 16);
            COLORREF seen = 0;
            Wait([&] { return (seen = ClientPixel(WindowNamed(a.name), std::stoi(a.words.at(1)), std::stoi(a.words.at(2)))) ==
                              RGB(rgb >> 16, (rgb >> 8) & 255, rgb & 255); },
                 "the pixel is " + std::to_string(seen), 3000);
        };
        directives_["shows-rows"] = [this](const Arg& a) {
            HWND list = GetDlgItem(Console(), IdOf(a.all));
            Wait([&] { return ListShowsRows(list); }, "it does not show its rows", 1000);
        };
        directives_["topmost"] = [this](const Arg&) {
            Wait([&] { return (GetWindowLongA(Console(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, "not topmost");
        };
        directives_["untopmost"] = [this](const Arg&) {
            SetWindowPos(Console(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        };
        directives_["minimise-restore"] = [this](const Arg&) {
            ShowWindow(Console(), SW_MINIMIZE);
            ShowWindow(Console(), SW_RESTORE);
        };
        // Each "|"-separated part is in the box's title or text, "!part" is not;
        // "owner=editor": the editor owns it. Then OK.
        directives_["box"] = [this](const Arg& a) {
            HWND box = nullptr;
            Wait([&] { return (box = app_->VisibleOfClass("#32770")) != nullptr; }, "no message box", 20000);
            const std::string shown = TitleOf(box) + "\n" + ControlText(GetDlgItem(box, 0xFFFF));
            for (const std::string& part : Split(Unescape(a.all), '|')) {
                const bool forbidden = part.rfind("!", 0) == 0;
                if (part == "owner=editor") Check(GetWindow(box, GW_OWNER) == Editor(), "the box is not the editor's");
                else Check((shown.find(part.substr(forbidden)) != std::string::npos) != forbidden, "the box says: " + shown);
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            Wait([&] { return !IsWindow(box); }, "the message box stayed");
        };
    }

    Strings Received() const {
        Strings records;
        for (const std::string& line : sim_ ? sim_->Log() : Strings())
            if (line.rfind("poke\t", 0) == 0 || line.rfind("request\t", 0) == 0 || line.rfind("api\t", 0) == 0)
                records.push_back(line);
        return records;
    }

    // "..." is any run of records, also none; "winner A|B" one of the names

    // not drawn before, "winner *" any spoken line.

    bool Matches(const Strings& expected, size_t e, const Strings& got, size_t g) {
        if (e == expected.size()) return g == got.size();
        if (expected[e] == "...\t") {
            for (size_t skip = g; skip <= got.size(); ++skip)
                if (Matches(expected, e + 1, got, skip)) return true;
            return false;
        }
        if (g == got.size()) return false;
        if (expected[e] == "winner\t*") return got[g].rfind(Expand("say ", library_)[0], 0) == 0 && Matches(expected, e + 1, got, g + 1);
        if (expected[e].rfind("winner\t", 0) == 0) {
            for (const std::string& name : Split(expected[e].substr(7), '|'))
                if (std::find(drawn_.begin(), drawn_.end(), name) == drawn_.end() &&
                    got[g] == Expand("say " + name, library_)[0] && Matches(expected, e + 1, got, g + 1)) {
                    drawn_.push_back(name);
                    return true;
                }
            return false;
        }
        return got[g] == expected[e] && Matches(expected, e + 1, got, g + 1);
    }

    // The records since the last check must be exactly the block's, in order.

    void ExpectReceived(std::istream& block) {
        Strings expected, got;
        for (std::string line; std::getline(block, line) && line != "end";)
            for (const std::string& record : Expand(line, library_)) expected.push_back(record);
        const bool matched = WaitUntil([&] {
            const Strings all = Received();
            got.assign(all.begin() + static_cast<long>(std::min(checked_, all.size())), all.end());
            return Matches(expected, 0, got, 0);
        }, 15000);
        std::string report = "the chat client received:\n";
        for (const std::string& line : got) report += "    " + line + "\n";
        report += "  expected:\n";
        for (const std::string& line : expected) report += "    " + line + "\n";
        Check(matched, report);
        checked_ += got.size();
    }

    void OnRoom() {
        directives_["sent"] = [this](const Arg& a) { ExpectReceived(*a.block); };
        directives_["times"] = [this](const Arg& a) {  // times N RECORD, in all
            const Strings all = Received();
            const long times = std::count(all.begin(), all.end(), Expand(a.text, library_)[0]);
            Check(times == std::stol(a.name), "received " + std::to_string(times) + " times");
        };
        directives_["count"] = [this](const Arg& a) {  // count N PREFIX: log lines, waited for
            long count = 0;
            Wait([&] {
                count = 0;
                for (const std::string& line : sim_->Log()) count += line.rfind(a.text, 0) == 0;
                return count == std::stol(a.name);
            }, std::to_string(count) + " such log lines");
        };
        // The room's Crowd... button and dialog, as a host uses them.
        directives_["crowd"] = [this](const Arg& a) {
            PostCommand(sim_->window(), IDC_CROWD);
            HWND dialog = sim_->program().WaitForWindow("Crowd", "#32770", 10000);
            Check(dialog != nullptr, "no Crowd dialog");
            SetDlgItemInt(dialog, IDC_CROWD_COUNT, std::stoi(a.all), FALSE);
            PostCommand(dialog, IDOK);
            // The room takes the crowd in before it answers the next message.
            DWORD_PTR answer = 0;
            Check(WaitUntil([&] { return !IsWindow(dialog); }) &&
                      SendMessageTimeoutA(sim_->window(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer),
                  "the crowd did not come");
        };
        directives_["room-count"] = [this](const Arg& a) {
            HWND line = GetDlgItem(sim_->window(), IDC_ESP_COUNT);
            Wait([&] { return TitleOf(line) == a.all; }, "the room shows " + TitleOf(line));
        };
        directives_["room-ends"] = [this](const Arg&) { sim_.reset(); };
        directives_["inject"] = [this](const Arg& a) { Check(sim_->CopyData(chatsim::InjectLineData, Unescape(a.all)), "the room took no line"); };
        directives_["api-data"] = [this](const Arg& a) { Check(sim_->CopyData(chatsim::ReceivedData, a.name + '\f' + a.text), "nobody took the data"); };
        // Sent, not set: another program's control takes its text by message only.
        directives_["conduit-set"] = [this](const Arg& a) {
            SendDlgItemMessageA(Conduit(), IdOf(a.name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.text.c_str()));
        };
        directives_["conduit-click"] = [this](const Arg& a) { Check(RunCommand(Conduit(), IdOf(a.all)), "it never ended"); };
        directives_["conduit-shows"] = [this](const Arg& a) {
            HWND conduit = Conduit();
            Check(conduit && !IsWindowVisible(conduit), "no hidden conduit window");
            const int id = IdOf(a.name);
            const auto shown = [&] {
                return id == conduit_ids::ErrorCheck ? std::to_string(IsDlgButtonChecked(conduit, id)) : ControlText(GetDlgItem(conduit, id));
            };
            Wait([&] { return shown() == a.text; }, "it shows " + Escape(shown()));
        };
    }

    // Boxes by their script file line, 1 to 30; other controls by name.

    HWND EditorControl(const std::string& name) {
        if (name == "VScroll1") return GetDlgItem(Editor(), editor_ids::VScroll1);
        if (name == "Frame2") return GetDlgItem(Editor(), editor_ids::Frame2);
        if (name == "Command1" || name == "Command2") return GetDlgItem(Editor(), name == "Command1" ? editor_ids::Command1 : editor_ids::Command2);
        HWND panel = GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1);
        if (name.rfind("Label", 0) == 0) return GetDlgItem(panel, editor_ids::Label1 + std::stoi(name.substr(5)) - 1);
        return GetDlgItem(panel, editor_ids::BoxId(std::stoi(name) - 1));
    }

    void OnEditor() {
        directives_["editor"] = [this](const Arg& a) {
            HWND found = app_->WaitForWindow(editor_ids::Caption, editor_ids::ClassName, 10000);
            Check(found && (a.all != "same" || found == editor_), "no editor, or a second one");
            editor_ = found;
        };
        directives_["editor-closed"] = [this](const Arg&) {
            Wait([&] { return !IsWindow(editor_); }, "the editor stayed open");
            Wait([&] { return GetForegroundWindow() == Console(); }, "the console is not in front");
        };
        // Neither owned nor topmost, so the topmost console lies above it.
        directives_["editor-below-console"] = [this](const Arg&) {
            Check(!GetWindow(Editor(), GW_OWNER) && !(GetWindowLongA(Editor(), GWL_EXSTYLE) & WS_EX_TOPMOST), "owned or topmost");
            bool consoleFirst = false;
            for (HWND window = GetTopWindow(nullptr); window && window != Editor(); window = GetWindow(window, GW_HWNDNEXT))
                consoleFirst = consoleFirst || window == Console();
            Check(consoleFirst, "the editor lies above the console");
        };
        directives_["editors"] = [this](const Arg& a) {
            const auto editors = WindowsOf(app_->id(), [](HWND window) { return TitleOf(window) == editor_ids::Caption; });
            Check(editors.size() == std::stoul(a.all), "editor count");
        };
        directives_["set"] = [this](const Arg& a) {
            SendMessageA(EditorControl(a.name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.text.c_str()));
        };
        directives_["holds"] = [this](const Arg& a) {
            const std::string held = ControlText(EditorControl(a.name));
            Check(held == a.text, "it holds \"" + Escape(held) + "\"");
        };
        directives_["disabled"] = [this](const Arg& a) { Check(!IsWindowEnabled(EditorControl(a.all)), "it is enabled"); };
        directives_["key"] = [this](const Arg& a) {
            if (a.text.rfind("CHAR ", 0) == 0) PostMessageA(EditorControl(a.name), WM_CHAR, std::stoi(a.text.substr(5)), 1);
            else PressKey(EditorControl(a.name), Keys.at(a.text));
        };
        directives_["click-into"] = [this](const Arg& a) {
            PostMessageA(EditorControl(a.all), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
            PostMessageA(EditorControl(a.all), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        };
        directives_["click"] = [this](const Arg& a) { PostCommand(Editor(), GetDlgCtrlID(EditorControl(a.all))); };
        directives_["paste"] = [this](const Arg& a) { PasteInto(EditorControl(a.name), a.text); };
        // The scroll value, and the panel where it puts it.
        directives_["scroll"] = [this](const Arg& a) {
            const int value = std::stoi(a.all);
            HWND bar = EditorControl("VScroll1");
            Wait([&] { return GetScrollPos(bar, SB_CTL) == value && PanelTop() == 8 - value / 15; },
                 "scroll value " + std::to_string(GetScrollPos(bar, SB_CTL)) + ", panel top " + std::to_string(PanelTop()));
        };
        // The scroll bar's own messages: its thumb, and the Top and Bottom of its menu.
        directives_["thumb"] = [this](const Arg& a) {
            const std::map<std::string, WORD> codes = {{"track", SB_THUMBTRACK}, {"release", SB_THUMBPOSITION},
                                                       {"end", SB_ENDSCROLL},    {"top", SB_TOP}, {"bottom", SB_BOTTOM}};
            const WORD code = codes.at(a.name);
            PostMessageA(Editor(), WM_VSCROLL, MAKEWPARAM(code, std::stoi(a.text)), reinterpret_cast<LPARAM>(EditorControl("VScroll1")));
        };
        directives_["tab-order"] = [this](const Arg& a) {
            for (const std::string& next : a.words) {
                PressKey(FocusOf(Editor()), VK_TAB);
                Wait([&] { return FocusOf(Editor()) == EditorControl(next); },
                     "Tab went to " + std::to_string(GetDlgCtrlID(FocusOf(Editor()))) + ", not " + next, 3000);
            }
        };
        // Moved and minimised, as a host might leave it.
        directives_["editor-away"] = [this](const Arg&) {
            SetWindowPos(Editor(), nullptr, 5, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindowAsync(Editor(), SW_MINIMIZE);
            Wait([&] { return IsIconic(Editor()) != FALSE; }, "not minimised");
        };
        directives_["editor-front"] = [this](const Arg&) {
            Wait([&] { return !IsIconic(Editor()) && GetForegroundWindow() == Editor(); }, "the editor is not in front");
        };
        directives_["editor-close-box"] = [this](const Arg&) { PostMessageA(Editor(), WM_CLOSE, 0, 0); };
    }

    // The display's density, for the programs started after it (Wine reads it
    // as a process starts); the editor's controls where they lie; a move to a
    // monitor of another density; the practice room beside the console.
    void OnDisplay() {
        directives_["dpi"] = [this](const Arg& a) { Check(SetLogPixels(dpi_ = std::stoi(a.all)), "cannot set the dpi"); };
        // editor-control NAME LEFT TOP RIGHT BOTTOM, in the editor's client area (waited for, as after a scroll)
        directives_["editor-control"] = [this](const Arg& a) {
            std::string seen;
            const bool placed = WaitUntil([&] {
                const RECT r = RectIn(Editor(), EditorControl(a.name));
                seen = std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' + std::to_string(r.right) + ' ' + std::to_string(r.bottom);
                return seen == a.text;
            }, 3000);
            Check(placed, "it is " + seen);
        };
        directives_["in-view"] = [this](const Arg& a) {  // in-view BOX: whole inside the viewport
            RECT box = {}, view = RectIn(Editor(), EditorControl("Frame2")), both;
            const bool whole = WaitUntil([&] { box = RectIn(Editor(), EditorControl(a.all)); return IntersectRect(&both, &box, &view) && EqualRect(&both, &box); }, 3000);
            Check(whole, "it lies from " + std::to_string(box.top) + " to " + std::to_string(box.bottom));
        };
        // dpi-change console|editor N: WM_DPICHANGED as on a move to such a monitor, suggesting the
        // window's size scaled and its corner at 8, 8; the window's own process holds the rectangle.
        directives_["dpi-change"] = [this](const Arg& a) {
            HWND window = WindowNamed(a.name);
            const int dpi = std::stoi(a.text);
            RECT outer;
            GetWindowRect(window, &outer);
            RECT suggested = {8, 8, 8 + MulDiv(outer.right - outer.left, dpi, dpi_), 8 + MulDiv(outer.bottom - outer.top, dpi, dpi_)};
            HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, app_->id());
            void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
            DWORD_PTR result = 0;
            const bool sent = remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) &&
                              SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000, &result);
            CloseHandle(process);
            GetWindowRect(window, &outer);
            Check(sent && outer.left == 8 && outer.top == 8, "it did not take the suggested place");
        };
        // room-clear [buttons]: no control of the room (or none of its buttons) lies under the console.
        directives_["room-clear"] = [this](const Arg& a) {
            RECT console, control, both;
            GetWindowRect(Console(), &console);
            for (HWND child = GetWindow(sim_->window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                GetWindowRect(child, &control);
                Check((a.all == "buttons" && ClassOf(child) != "Button") || !IntersectRect(&both, &console, &control),
                      "the console covers \"" + TitleOf(child) + "\" of the room");
            }
        };
    }

    static bool SetLogPixels(int dpi) {
        const DWORD value = static_cast<DWORD>(dpi);
        return RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
    }

    HWND Editor() {
        Check(editor_ && IsWindow(editor_), "no editor open");
        return editor_;
    }
    HWND Conduit() {
        Console();  // made, hidden, before the console shows
        return app_->Window([](HWND window) { return TitleOf(window) == conduit_ids::Caption; });
    }
    HWND WindowNamed(const std::string& name) { return name == "editor" ? Editor() : Console(); }
    int PanelTop() { return RectIn(Editor(), GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1)).top; }
    std::string File(const std::string& name) const { return folder_ + "\\" + name; }
    std::string Path(const std::string& name) const { return name.find(':') != std::string::npos ? name : File(name); }

    bool library_;
    std::string folder_;
    std::string scenario_;
    bool room_ = true;
    std::map<std::string, std::string> written_;
    std::unique_ptr<ChatSim> sim_;
    std::unique_ptr<Program> app_;
    HWND console_ = nullptr;
    HWND editor_ = nullptr;
    size_t checked_ = 0;
    int dpi_ = 96;
    Strings drawn_;  // a winner is never drawn twice
    std::map<std::string, std::function<void(const Arg&)>> directives_;
};

// A case: one directive a line, "keyword argument"; "#" starts a comment.
// A first line "transports dde library" runs it once in each; a line
// "dde: ..." or "library: ..." only in that one.
int RunCase(const std::string& name) {
    const std::string path = BesideTests("cases\\" + name);
    std::string text;
    ReadFile(path, text);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    std::vector<bool> transports = {false};
    if (text.rfind("transports ", 0) == 0) {
        transports.clear();
        for (const std::string& name : Split(text.substr(11, text.find('\n') - 11), ' ')) transports.push_back(name == "library");
    }
    int failures = text.empty();
    for (bool library : transports) {
        std::istringstream lines(text);
        int number = 0;
        std::string line;
        try {
            Run run(name, library);
            while (std::getline(lines, line)) {
                ++number;
                std::string directive = line;
                const std::string only = library ? "library: " : "dde: ", other = library ? "dde: " : "library: ";
                if (directive.rfind(only, 0) == 0) directive = directive.substr(only.size());
                if (directive.empty() || directive[0] == '#' || (number == 1 && line.rfind("transports ", 0) == 0) ||
                    directive.rfind(other, 0) == 0)
                    continue;
                const size_t space = directive.find(' ');
                run.Do(directive.substr(0, space), space == std::string::npos ? "" : directive.substr(space + 1), lines);
            }
        } catch (const std::exception& failure) {
            std::printf("%s:%d (%s) %s\n  %s\n", path.c_str(), number, library ? "library" : "dde", line.c_str(), failure.what());
            ++failures;
        }
    }
    std::printf("%s: %s\n", path.c_str(), failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: e2e_runner CASE-FILE (in the cases folder beside it)\n");
        return 2;
    }
    return RunCase(argv[1]);
}
