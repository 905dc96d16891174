// Runs one scripted end-to-end case (cases/README.md): starts the chat-client
// simulator and tamblo.exe in a scratch folder, drives them as a host would
// and compares what the chat client received, once per transport named.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../sim/sim_resources.h"
#include "harness.h"
#include "console/win32/console_controls.h"
#include "link/win32/conduit_controls.h"
#include "scripts/win32/editor_controls.h"

namespace {

using namespace e2e;
namespace console_ids = tamblo::console_controls;
namespace editor_ids = tamblo::editor_controls;
namespace conduit_ids = tamblo::conduit_controls;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Check(bool condition, const std::string& what) {
    if (!condition) throw Failure(what);
}

// \r \n \t \f \0 \\ and \xNN; everything else as it stands.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[++i] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            const std::string from = "rntf0", to = {'\r', '\n', '\t', '\f', '\0'};
            const size_t at = from.find(text[i]);
            out += at == std::string::npos ? text[i] : to[at];
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

const std::map<std::string, int> ConsoleIds = {
    {"WelcomeMessage", console_ids::WelcomeMessage}, {"AskForESP", console_ids::AskForESP},
    {"GetPlayers", console_ids::GetPlayers},         {"CloseIt", console_ids::CloseIt},
    {"Scripter", console_ids::Scripter},             {"List1", console_ids::List1},
    {"Command2", console_ids::Command2},             {"Command1", console_ids::Command1},
    {"TotalPeople", console_ids::TotalPeople},       {"Command12", console_ids::Command12},
    {"Label11", console_ids::Label11},               {"List2", console_ids::List2},
    {"Command17", console_ids::Command17},           {"Command13", console_ids::Command13},
    {"Dummy", console_ids::Dummy},
};

const std::map<std::string, int> ConduitIds = {
    {"ErrorCheck", conduit_ids::ErrorCheck}, {"CommMode", conduit_ids::CommMode},
    {"AvatarName", conduit_ids::AvatarName}, {"CommText", conduit_ids::CommText},
    {"Text1", conduit_ids::Text1},           {"WA_Communicate", conduit_ids::WA_Communicate},
    {"WA_GetAllText", conduit_ids::WA_GetAllText},
};

const std::map<std::string, WPARAM> Keys = {{"TAB", VK_TAB},   {"RETURN", VK_RETURN}, {"UP", VK_UP},
                                           {"DOWN", VK_DOWN}, {"PRIOR", VK_PRIOR},   {"NEXT", VK_NEXT}};

int IdOf(const std::map<std::string, int>& ids, const std::string& name) {
    const auto found = ids.find(name);
    Check(found != ids.end(), "no control named " + name);
    return found->second;
}

COLORREF Colour(const std::string& hex) {
    const unsigned long rgb = std::stoul(hex, nullptr, 16);
    return RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

// The case's record shorthand (register, unregister, fetch, say TEXT,
// esp NAME|TEXT, "...") as the transport's log lines; "= LINE" as it stands.
std::vector<std::string> Expand(const std::string& record, bool library) {
    const size_t space = record.find(' ');
    const std::string word = record.substr(0, space);
    const std::string text = space == std::string::npos ? "" : Unescape(record.substr(space + 1));
    const auto poke = [](const std::string& topic, const std::string& data) {
        return "poke\t" + topic + "\t" + topic + "\t" + Escape(data);
    };
    const auto communicate = [&](const char* mode, const std::string& name, const std::string& line) {
        if (library)
            return "api\tDapiCommunicate\tTamblo\t" + std::string(mode) + "\t" + Escape(name) + "\t" +
                   Escape(line);
        return poke("WorldsApi_Communicate", std::string("Tamblo\f") + mode + "\f" + name + "\f" + line);
    };
    if (word == "=") return {Escape(text)};
    if (word == "...") return {"..."};
    if (word == "register")
        return library ? std::vector<std::string>{"api\tInitDDE\tTamblo", "api\tDapiRegister\tTamblo"}
                       : std::vector<std::string>{poke("WorldsApi_Register", "Tamblo")};
    if (word == "unregister")
        return library ? std::vector<std::string>{"api\tDapiUnregister\tTamblo", "api\tKillDDE"}
                       : std::vector<std::string>{poke("WorldsApi_Unregister", "Tamblo")};
    if (word == "fetch") return {library ? "api\tDapiGetAllText\tTamblo" : "request\tWorldsApi_GetAllText\tTamblo"};
    if (word == "say") return {communicate("0", "", text)};
    // One of the names, spoken as the winner: "winner Ann|bob|Cy".
    if (word == "winner") return {"winner\t" + text};
    Check(word == "esp", "unknown record " + record);
    const size_t bar = text.find('|');
    return {communicate("2", text.substr(0, bar), text.substr(bar + 1))};
}


// One run of a case in one transport.
class Run {
public:
    explicit Run(bool library) : library_(library) {}
    // False when the keyword is unknown.
    bool Do(const std::string& keyword, const std::string& argument, std::istream& block);

private:
    bool Setup(const std::string& keyword, const std::string& argument);
    bool OnConsole(const std::string& keyword, const std::string& argument);
    bool OnRoom(const std::string& keyword, const std::string& argument, std::istream& block);
    bool OnEditor(const std::string& keyword, const std::string& argument);

    void Start();
    void StartPractice();
    void ExpectReceived(std::istream& block);
    bool Matches(const std::vector<std::string>& expected, size_t e, const std::vector<std::string>& got, size_t g);
    std::vector<std::string> Received() const;
    HWND Console();
    HWND Editor();
    HWND EditorControl(const std::string& name);
    // Hidden: the conduit is never shown.
    HWND Conduit() {
        return app_->Window([](HWND window) { return TitleOf(window) == conduit_ids::Caption; });
    }
    HWND WindowNamed(const std::string& name) { return name == "editor" ? Editor() : Console(); }
    int PanelTop() { return RectIn(Editor(), GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1)).top; }
    std::string Path(const std::string& name) const {
        return name.find(':') != std::string::npos ? name : folder_.File(name);
    }

    bool library_;
    ScratchFolder folder_;
    std::string scenario_;
    bool room_ = true;
    bool settingsWritten_ = false;
    std::unique_ptr<ChatSim> sim_;
    std::unique_ptr<Program> app_;
    HWND console_ = nullptr;
    HWND editor_ = nullptr;
    size_t checked_ = 0;
    // Names already drawn: a winner is never drawn twice.
    std::vector<std::string> drawn_;
    std::map<std::string, std::string> written_;
};

bool Run::Do(const std::string& keyword, const std::string& argument, std::istream& block) {
    return Setup(keyword, argument) || OnConsole(keyword, argument) || OnRoom(keyword, argument, block) ||
           OnEditor(keyword, argument);
}

// The first word of an argument, and the unescaped rest after it.
std::pair<std::string, std::string> Head(const std::string& argument) {
    const size_t space = argument.find(' ');
    if (space == std::string::npos) return {argument, ""};
    return {argument.substr(0, space), Unescape(argument.substr(space + 1))};
}

bool Run::Setup(const std::string& keyword, const std::string& argument) {
    const auto [name, text] = Head(argument);
    if (keyword == "room") {
        if (argument == "none") room_ = false;
        else scenario_ += argument + "\n";
    } else if (keyword == "file") {
        settingsWritten_ = settingsWritten_ || name == "SCONTROL.TXT";
        written_[name] = text;
        std::ofstream(Path(name), std::ios::binary) << text;
    } else if (keyword == "copy") {
        CopyFileA(Path(name).c_str(), Path(text).c_str(), FALSE);
    } else if (keyword == "untitled-window") {
        // Another program's visible window without a title.
        CreateWindowA("STATIC", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 80, 40, nullptr, nullptr, nullptr, nullptr);
    } else if (keyword == "readonly" || keyword == "writable") {
        SetFileAttributesA(Path(argument).c_str(), keyword == "readonly" ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    } else if (keyword == "start") {
        Start();
    } else if (keyword == "practice") {
        StartPractice();
    } else if (keyword == "file-is") {
        std::string content;
        const bool exists = ReadFile(Path(name), content);
        const std::string expected = text == "unchanged" ? written_[name] : text;
        if (text == "absent") Check(!exists, name + " exists");
        else Check(exists && content == expected, name + " holds \"" + Escape(content) + "\"");
    } else {
        return false;
    }
    return true;
}

void Run::Start() {
    // Unless the case writes its own: the transport's settings, and the
    // simulated library beside the program for the library transport.
    if (!settingsWritten_)
        WriteFile(folder_.File("SCONTROL.TXT"), std::string("VZones 3.0\r\n0\r\n") + (library_ ? "1" : "0") + "\r\n0\r\n");
    // Fails, as it should, where the case put a wadapi.dll of its own.
    if (library_) CopyFileA(BesideTests("wadapi.dll").c_str(), folder_.File("wadapi.dll").c_str(), TRUE);
    if (room_) {
        WriteFile(folder_.File("scenario.txt"), scenario_);
        sim_ = std::make_unique<ChatSim>(folder_, new Program(BesideTests("chatsim.exe"), folder_.path()));
        Check(sim_->failure().empty(), "the room did not start: " + sim_->failure());
    }
    CopyFileA(BesideTests("tamblo.exe").c_str(), folder_.File("tamblo.exe").c_str(), FALSE);
    app_ = std::make_unique<Program>(folder_.File("tamblo.exe"), folder_.path());
    Check(app_->started(), "tamblo.exe did not start");
}

// The process showing a top-level window of the class, or 0.
DWORD ProcessShowing(const char* className) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(className, nullptr)) && IsWindowVisible(window); }, 20000);
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process;
}

// The download's practice folder, unpacked beside the tests by the build,
// started as a host starts it: practice.cmd starts the room, which starts
// the program.
void Run::StartPractice() {
    const std::string practice = BesideTests("unpacked\\practice\\");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((practice + "*").c_str(), &found);
    Check(search != INVALID_HANDLE_VALUE, "no practice folder " + practice);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((practice + found.cFileName).c_str(), folder_.File(found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    if (library_ && !settingsWritten_) WriteFile(folder_.File("SCONTROL.TXT"), "VZones 3.0\r\n0\r\n1\r\n0\r\n");
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    Check(Program(std::string(system) + "\\cmd.exe", folder_.path(), "/c practice.cmd").Exited(20000),
          "practice.cmd did not end");
    sim_ = std::make_unique<ChatSim>(folder_, new Program(ProcessShowing("ChatSimRoom")));
    Check(sim_->failure().empty(), "the practice room did not start: " + sim_->failure());
    app_ = std::make_unique<Program>(ProcessShowing("Tamblo"));
}

HWND Run::Console() {
    // By class too: a message box may carry the same title.
    if (app_ && !console_) console_ = app_->WaitForWindow("Tamblo", "Tamblo");
    Check(console_ != nullptr, "no console window");
    return console_;
}

bool Run::OnConsole(const std::string& keyword, const std::string& argument) {
    const auto [name, text] = Head(argument);
    const std::vector<std::string> words = Split(argument, ' ');
    if (keyword == "do") {
        Check(RunCommand(Console(), IdOf(ConsoleIds, argument)), argument + " never ended");
    } else if (keyword == "post") {
        PostCommand(Console(), IdOf(ConsoleIds, argument));
    } else if (keyword == "wait") {
        Check(WaitUntil([&] { return (IsWindowEnabled(Console()) == FALSE) == (argument == "busy"); }, 30000),
              "the console never became " + argument);
    } else if (keyword == "close") {
        PostMessageA(Console(), WM_CLOSE, 0, 0);
    } else if (keyword == "exits") {
        Check(app_->Exited(20000), "the program did not end");
    } else if (keyword == "rows") {
        LRESULT rows = 0;
        const auto counted = [&] {
            return (rows = SendDlgItemMessageA(Console(), IdOf(ConsoleIds, name), LB_GETCOUNT, 0, 0)) == std::stol(text);
        };
        Check(WaitUntil(counted, 10000), name + " has " + std::to_string(rows) + " rows");
    } else if (keyword == "text") {
        const std::string shown = TitleOf(GetDlgItem(Console(), IdOf(ConsoleIds, name)));
        Check(shown == text, name + " shows \"" + shown + "\"");
    } else if (keyword == "control") {
        // control NAME CLASS LEFT TOP RIGHT BOTTOM CAPTION, in the console's client area
        HWND control = GetDlgItem(Console(), IdOf(ConsoleIds, words.at(0)));
        const RECT rect = RectIn(Console(), control);
        const std::string caption = Head(Head(Head(Head(Head(text).second).second).second).second).second;
        Check(ClassOf(control) == words.at(1) && TitleOf(control) == caption &&
                  rect.left == std::stoi(words.at(2)) && rect.top == std::stoi(words.at(3)) &&
                  rect.right == std::stoi(words.at(4)) && rect.bottom == std::stoi(words.at(5)),
              "control " + words[0] + " is a " + ClassOf(control) + " \"" + TitleOf(control) + "\" at " +
                  std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
                  "," + std::to_string(rect.bottom));
    } else if (keyword == "client") {
        RECT client;
        GetClientRect(WindowNamed(name), &client);
        Check(std::to_string(client.right) + " " + std::to_string(client.bottom) == text, "client size");
    } else if (keyword == "centred") {
        Check(Centred(WindowNamed(argument)), argument + " is not centred");
    } else if (keyword == "focus") {
        HWND window = WindowNamed(name);
        HWND expected = name == "editor" ? EditorControl(text) : GetDlgItem(window, IdOf(ConsoleIds, text));
        Check(WaitUntil([&] { return FocusOf(window) == expected; }, 5000),
              "the focus is on " + std::to_string(GetDlgCtrlID(FocusOf(window))) + ", not " + argument);
    } else if (keyword == "pixel") {
        // pixel WINDOW X Y RRGGBB
        const COLORREF expected = Colour(words.at(3));
        COLORREF seen = 0;
        Check(WaitUntil([&] { return (seen = ClientPixel(WindowNamed(name), std::stoi(words.at(1)), std::stoi(words.at(2)))) == expected; }, 3000),
              "pixel " + argument + " is " + std::to_string(seen));
    } else if (keyword == "shows-rows") {
        HWND list = GetDlgItem(Console(), IdOf(ConsoleIds, argument));
        Check(WaitUntil([&] { return ListShowsRows(list); }, 1000), argument + " does not show its rows");
    } else if (keyword == "topmost") {
        Check(WaitUntil([&] { return (GetWindowLongA(Console(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 5000),
              "the console is not topmost");
    } else if (keyword == "untopmost") {
        SetWindowPos(Console(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (keyword == "minimise-restore") {
        ShowWindow(Console(), SW_MINIMIZE);
        ShowWindow(Console(), SW_RESTORE);
    } else if (keyword == "box") {
        // Each "|"-separated part is in the box's title or text; "!part" is not.
        HWND box = nullptr;
        Check(WaitUntil([&] { return (box = app_->VisibleOfClass("#32770")) != nullptr; }), "no message box");
        const std::string shown = TitleOf(box) + "\n" + BoxText(box);
        for (const std::string& part : Split(Unescape(argument), '|')) {
            const bool forbidden = part.rfind("!", 0) == 0;
            if (part == "owner=editor") Check(GetWindow(box, GW_OWNER) == Editor(), "the box is not the editor's");
            else Check((shown.find(part.substr(forbidden)) != std::string::npos) != forbidden, "the box says: " + shown);
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        Check(WaitUntil([&] { return !IsWindow(box); }, 5000), "the message box stayed");
    } else {
        return false;
    }
    return true;
}

std::vector<std::string> Run::Received() const {
    std::vector<std::string> records;
    if (!sim_) return records;
    for (const std::string& line : sim_->Log())
        if (line.rfind("poke\t", 0) == 0 || line.rfind("request\t", 0) == 0 || line.rfind("api\t", 0) == 0)
            records.push_back(line);
    return records;
}

// "..." stands for any run of records, also none; a winner for one name
// not drawn before.
bool Run::Matches(const std::vector<std::string>& expected, size_t e, const std::vector<std::string>& got, size_t g) {
    if (e == expected.size()) return g == got.size();
    if (expected[e] == "...") {
        for (size_t skip = g; skip <= got.size(); ++skip)
            if (Matches(expected, e + 1, got, skip)) return true;
        return false;
    }
    if (g == got.size()) return false;
    // "winner *": any one spoken line, for a crowd too large to list.
    if (expected[e] == "winner\t*")
        return got[g].rfind(Expand("say ", library_)[0], 0) == 0 && Matches(expected, e + 1, got, g + 1);
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
void Run::ExpectReceived(std::istream& block) {
    std::vector<std::string> expected;
    for (std::string line; std::getline(block, line) && line != "end";)
        for (const std::string& record : Expand(line, library_)) expected.push_back(record);
    std::vector<std::string> got;
    const bool matched = WaitUntil(
        [&] {
            const std::vector<std::string> all = Received();
            got.assign(all.begin() + static_cast<long>(std::min(checked_, all.size())), all.end());
            return Matches(expected, 0, got, 0);
        },
        15000);
    if (!matched) {
        std::string report = "the chat client received:\n";
        for (const std::string& line : got) report += "    " + line + "\n";
        report += "  expected:\n";
        for (const std::string& line : expected) report += "    " + line + "\n";
        throw Failure(report);
    }
    checked_ += got.size();
}

bool Run::OnRoom(const std::string& keyword, const std::string& argument, std::istream& block) {
    const auto [name, text] = Head(argument);
    if (keyword.rfind("conduit-", 0) == 0) Console();  // the conduit is made before the console shows
    if (keyword == "sent") {
        ExpectReceived(block);
    } else if (keyword == "times") {
        // times N RECORD: how often the chat client received the record.
        const std::vector<std::string> all = Received();
        const long times = std::count(all.begin(), all.end(), Expand(text, library_)[0]);
        Check(times == std::stol(name), text + " received " + std::to_string(times) + " times");
    } else if (keyword == "count") {
        // count N PREFIX: log lines that begin with it, once they are there.
        long count = 0;
        const auto counted = [&] {
            count = 0;
            for (const std::string& line : sim_->Log()) count += line.rfind(text, 0) == 0;
            return count == std::stol(name);
        };
        Check(WaitUntil(counted, 10000), std::to_string(count) + " log lines begin with " + text);
    } else if (keyword == "crowd") {
        // The room's Crowd... button and dialog, as a host uses them.
        PostCommand(sim_->window(), IDC_CROWD);
        HWND dialog = sim_->program().WaitForWindow("Crowd", "#32770", 10000);
        Check(dialog != nullptr, "no Crowd dialog");
        SetDlgItemInt(dialog, IDC_CROWD_COUNT, std::stoi(argument), FALSE);
        PostCommand(dialog, IDOK);
        // The room takes the crowd in before it answers the next message.
        DWORD_PTR answer = 0;
        Check(WaitUntil([&] { return !IsWindow(dialog); }, 10000) &&
                  SendMessageTimeoutA(sim_->window(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer),
              "the crowd did not come");
    } else if (keyword == "room-count") {
        HWND line = GetDlgItem(sim_->window(), IDC_ESP_COUNT);
        Check(WaitUntil([&] { return TitleOf(line) == argument; }, 10000), "the room shows " + TitleOf(line));
    } else if (keyword == "room-ends") {
        sim_.reset();
    } else if (keyword == "inject") {
        Check(sim_->Inject(Unescape(argument)), "the room took no line");
    } else if (keyword == "api-data") {
        Check(sim_->SendApiData(name, text), "no library client took the data");
    } else if (keyword == "conduit-set") {
        SetDlgItemTextA(Conduit(), IdOf(ConduitIds, name), text.c_str());
    } else if (keyword == "conduit-click") {
        PostCommand(Conduit(), IdOf(ConduitIds, argument));
    } else if (keyword == "conduit-shows") {
        HWND conduit = Conduit();
        Check(conduit && !IsWindowVisible(conduit), "no hidden conduit window");
        const int id = IdOf(ConduitIds, name);
        const auto shown = [&] {
            return id == conduit_ids::ErrorCheck ? std::to_string(IsDlgButtonChecked(conduit, id))
                                                 : ControlText(GetDlgItem(conduit, id));
        };
        Check(WaitUntil([&] { return shown() == text; }, 10000), name + " shows " + Escape(shown()));
    } else {
        return false;
    }
    return true;
}

HWND Run::Editor() {
    Check(editor_ && IsWindow(editor_), "no editor open");
    return editor_;
}

// Boxes by their script file line, 1 to 30; other controls by name.
HWND Run::EditorControl(const std::string& name) {
    if (name == "VScroll1") return GetDlgItem(Editor(), editor_ids::VScroll1);
    if (name == "Command1") return GetDlgItem(Editor(), editor_ids::Command1);
    if (name == "Command2") return GetDlgItem(Editor(), editor_ids::Command2);
    HWND panel = GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1);
    return GetDlgItem(panel, editor_ids::BoxId(std::stoi(name) - 1));
}

bool Run::OnEditor(const std::string& keyword, const std::string& argument) {
    const auto [name, text] = Head(argument);
    if (keyword == "editor") {
        HWND found = app_->WaitForWindow(editor_ids::Caption, nullptr, 10000);
        Check(found != nullptr && ClassOf(found) == editor_ids::ClassName, "no editor window");
        Check(argument != "same" || found == editor_, "a second editor opened");
        editor_ = found;
    } else if (keyword == "editor-closed") {
        Check(WaitUntil([&] { return !IsWindow(editor_); }, 10000), "the editor stayed open");
        Check(WaitUntil([&] { return GetForegroundWindow() == Console(); }, 5000), "the console is not in front");
    } else if (keyword == "editor-below-console") {
        // Neither owned nor topmost, so the topmost console lies above it.
        Check(!GetWindow(Editor(), GW_OWNER) && !(GetWindowLongA(Editor(), GWL_EXSTYLE) & WS_EX_TOPMOST), "owned or topmost");
        bool consoleFirst = false;
        for (HWND window = GetTopWindow(nullptr); window && window != Editor(); window = GetWindow(window, GW_HWNDNEXT))
            consoleFirst = consoleFirst || window == Console();
        Check(consoleFirst, "the editor lies above the console");
    } else if (keyword == "editors") {
        Check(CountWindows(app_->id(), editor_ids::Caption) == std::stoi(argument), "editor count");
    } else if (keyword == "set") {
        SendMessageA(EditorControl(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (keyword == "holds") {
        const std::string held = ControlText(EditorControl(name));
        Check(held == text, "box " + name + " holds \"" + Escape(held) + "\"");
    } else if (keyword == "disabled") {
        Check(!IsWindowEnabled(EditorControl(argument)), "box " + argument + " is enabled");
    } else if (keyword == "key") {
        if (text.rfind("CHAR ", 0) == 0) PostMessageA(EditorControl(name), WM_CHAR, std::stoi(text.substr(5)), 1);
        else PressKey(EditorControl(name), Keys.at(text));
    } else if (keyword == "click-into") {
        PostMessageA(EditorControl(argument), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageA(EditorControl(argument), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    } else if (keyword == "click") {
        PostCommand(Editor(), GetDlgCtrlID(EditorControl(argument)));
    } else if (keyword == "paste") {
        PasteInto(EditorControl(name), text);
    } else if (keyword == "scroll") {
        // The scroll value, and the panel where it puts it.
        const int value = std::stoi(argument);
        HWND bar = EditorControl("VScroll1");
        Check(WaitUntil([&] { return GetScrollPos(bar, SB_CTL) == value && PanelTop() == 8 - value / 15; }, 5000),
              "scroll value " + std::to_string(GetScrollPos(bar, SB_CTL)) + ", panel top " + std::to_string(PanelTop()));
    } else if (keyword == "thumb") {
        const WORD code = name == "track" ? SB_THUMBTRACK : name == "release" ? SB_THUMBPOSITION : SB_ENDSCROLL;
        PostMessageA(Editor(), WM_VSCROLL, MAKEWPARAM(code, std::stoi(text)), reinterpret_cast<LPARAM>(EditorControl("VScroll1")));
    } else if (keyword == "tab-order") {
        for (const std::string& next : Split(argument, ' ')) {
            PressKey(FocusOf(Editor()), VK_TAB);
            Check(WaitUntil([&] { return FocusOf(Editor()) == EditorControl(next); }, 3000),
                  "Tab went to " + std::to_string(GetDlgCtrlID(FocusOf(Editor()))) + ", not " + next);
        }
    } else if (keyword == "editor-away") {
        // Moved and minimised, as a host might leave it.
        SetWindowPos(Editor(), nullptr, 5, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindowAsync(Editor(), SW_MINIMIZE);
        Check(WaitUntil([&] { return IsIconic(Editor()) != FALSE; }, 5000), "not minimised");
    } else if (keyword == "editor-front") {
        Check(WaitUntil([&] { return !IsIconic(Editor()) && GetForegroundWindow() == Editor(); }, 5000), "the editor is not in front");
    } else if (keyword == "editor-close-box") {
        PostMessageA(Editor(), WM_CLOSE, 0, 0);
    } else {
        return false;
    }
    return true;
}

// A case: one directive a line, "keyword argument"; "#" starts a comment.
// A first line "transports dde library" runs it once in each.
int RunCase(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream all;
    all << file.rdbuf();
    std::string text = all.str();
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    if (text.empty()) {
        std::printf("cannot read %s\n", path.c_str());
        return 2;
    }
    std::vector<bool> transports = {false};
    if (text.rfind("transports ", 0) == 0) {
        transports.clear();
        for (const std::string& name : Split(text.substr(11, text.find('\n') - 11), ' '))
            transports.push_back(name == "library");
    }
    int failures = 0;
    for (bool library : transports) {
        std::istringstream lines(text);
        int number = 0;
        std::string line;
        try {
            Run run(library);
            while (std::getline(lines, line)) {
                ++number;
                if (line.empty() || line[0] == '#' || line.rfind("transports ", 0) == 0) continue;
                // "dde: ..." and "library: ..." only in that transport.
                std::string directive = line;
                const std::string only = library ? "library: " : "dde: ";
                if (directive.rfind(only, 0) == 0) directive = directive.substr(only.size());
                else if (directive.rfind("library: ", 0) == 0 || directive.rfind("dde: ", 0) == 0) continue;
                const size_t space = directive.find(' ');
                Check(run.Do(directive.substr(0, space), space == std::string::npos ? "" : directive.substr(space + 1), lines),
                      "unknown directive");
            }
        } catch (const std::exception& failure) {
            std::printf("%s:%d (%s) %s\n  %s\n", path.c_str(), number, library ? "library" : "dde", line.c_str(),
                        failure.what());
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
    return RunCase(BesideTests(std::string("cases\\") + argv[1]));
}
