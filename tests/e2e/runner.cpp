// Runs one scripted end-to-end case (cases/README.md): starts the chat-client
// simulator and tamblo.exe in a scratch folder, drives them as a host would
// and checks what the host sees and what the chat client received, once per
// transport named.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "api_wire.h"
#include "console/win32/console_controls.h"
#include "driver.h"
#include "link/win32/conduit_controls.h"
#include "scripts/win32/editor_controls.h"
#include "sim_resources.h"
#include "unescape.h"

namespace e2e {
namespace {

namespace ids = tamblo::console_controls;
namespace conduit_ids = tamblo::conduit_controls;
namespace editor_ids = tamblo::editor_controls;
namespace fs = std::filesystem;
using tamblo::testing::Unescape;

// Console and conduit controls by name.
const std::map<std::string, int> ControlIds = {
    {"WelcomeMessage", ids::WelcomeMessage}, {"AskForESP", ids::AskForESP}, {"GetPlayers", ids::GetPlayers},
    {"CloseIt", ids::CloseIt}, {"Scripter", ids::Scripter}, {"List1", ids::List1}, {"List2", ids::List2},
    {"Command1", ids::Command1}, {"Command2", ids::Command2}, {"Command12", ids::Command12},
    {"Command13", ids::Command13}, {"Command17", ids::Command17}, {"TotalPeople", ids::TotalPeople},
    {"Label11", ids::Label11}, {"Dummy", ids::Dummy}, {"CommMode", conduit_ids::CommMode},
    {"AvatarName", conduit_ids::AvatarName}, {"CommText", conduit_ids::CommText},
    {"Text1", conduit_ids::Text1}, {"WA_Communicate", conduit_ids::WA_Communicate},
    {"WA_GetAllText", conduit_ids::WA_GetAllText}};

// The editor's controls other than its boxes and headings.
const std::map<std::string, int> EditorIds = {
    {"VScroll1", editor_ids::VScroll1}, {"Frame2", editor_ids::Frame2}, {"Command1", editor_ids::Command1},
    {"Command2", editor_ids::Command2}};

const std::map<std::string, WPARAM> Keys = {
    {"RETURN", VK_RETURN}, {"UP", VK_UP}, {"DOWN", VK_DOWN}, {"NEXT", VK_NEXT}};

// The scroll bar's own messages: its thumb, and the Top and Bottom of its menu.
const std::map<std::string, WORD> ScrollCodes = {
    {"track", SB_THUMBTRACK}, {"release", SB_THUMBPOSITION}, {"end", SB_ENDSCROLL}, {"top", SB_TOP},
    {"bottom", SB_BOTTOM}};

// For the programs started next: Wine reads it as a process starts.
bool SetLogPixels(int dpi) {
    const DWORD value = static_cast<DWORD>(dpi);
    return RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &value,
                           sizeof value) == ERROR_SUCCESS;
}

// The case's record shorthand as the transport's log lines: register,
// unregister, fetch, say TEXT, esp NAME|TEXT, and "...".
Strings Expand(const std::string& record, bool library) {
    const auto api = [](std::initializer_list<std::string_view> fields) {
        return chatsim::LogLine("api", fields);
    };
    const auto poke = [](const std::string& topic, const std::string& data) {
        return chatsim::LogLine("poke", {topic, topic, data});
    };
    const size_t space = record.find(' ');
    const std::string word = record.substr(0, space);
    std::string text = space == std::string::npos ? "" : Unescape(record.substr(space + 1)), name;
    if (word == "...") return {word};
    if (word == "register" && library) return {api({"InitDDE", "Tamblo"}), api({"DapiRegister", "Tamblo"})};
    if (word == "register") return {poke("WorldsApi_Register", "Tamblo")};
    if (word == "unregister" && library) return {api({"DapiUnregister", "Tamblo"}), api({"KillDDE"})};
    if (word == "unregister") return {poke("WorldsApi_Unregister", "Tamblo")};
    if (word == "fetch" && library) return {api({"DapiGetAllText", "Tamblo"})};
    if (word == "fetch") return {chatsim::LogLine("request", {"WorldsApi_GetAllText", "Tamblo"})};
    Check(word == "say" || word == "esp", "unknown record " + record);
    if (word == "esp") name = text.substr(0, text.find('|'));
    if (word == "esp") text.erase(0, name.size() + 1);
    const std::string mode = word == "esp" ? "2" : "0";
    if (library) return {api({"DapiCommunicate", "Tamblo", mode, name, text})};
    return {poke("WorldsApi_Communicate", "Tamblo\f" + mode + "\f" + name + "\f" + text)};
}

// "..." is any run of records, also none, up to the next one expected.
bool Matches(const Strings& expected, const Strings& got) {
    size_t g = 0;
    for (size_t e = 0; e < expected.size(); ++e)
        if (expected[e] != "...") {
            if (g == got.size() || got[g++] != expected[e]) return false;
        } else {
            while (g < got.size() && (e + 1 == expected.size() || got[g] != expected[e + 1])) ++g;
        }
    return g == got.size();
}

// One run of a case in one transport: the programs it started and what it
// has checked so far.
class Run {
public:
    Run(const std::string& name, bool library)
        : library_(library), folder_(FreshFolder(name + (library ? ".library" : ".dde"))) {}
    ~Run() {
        app_.reset();
        CloseRoom();
        if (dpi_ != 96) SetLogPixels(96);  // the next case starts at 96 dpi again
    }

    // One line of the case: "directive argument"; the argument whole, its words, its first word and
    // the unescaped rest. A block reads the lines after it.
    void Do(const std::string& line, std::istream& block) {
        if (line.empty() || line[0] == '#') return;
        const size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string all = space == std::string::npos ? "" : line.substr(space + 1);
        const Strings words = Split(all, ' ');
        const size_t gap = all.find(' ');
        const std::string name = all.substr(0, gap);
        const std::string text = gap == std::string::npos ? "" : Unescape(all.substr(gap + 1));
        // Before the start (the file directives also after it).
        if (key == "file-is") {  // NAME TEXT|absent|unchanged
            std::string content;
            const bool exists = ReadFile(Path(name), content);
            Check(exists == (text != "absent"), name + (exists ? " exists" : " is absent"));
            if (exists) Expect([&] { return content; }, text == "unchanged" ? written_[name] : text);
        } else if (key == "program-in") {  // its name UTF-8, so that it can lie outside the code page
            fs::create_directories(programFolder_ /= std::u8string(all.begin(), all.end()));
        } else if (key == "repeat") {  // N LINE
            for (int n = std::stoi(name); n > 0; --n) Do(all.substr(name.size() + 1), block);
        } else if (key == "room" && all == "none") noRoom_ = true;
        else if (key == "room") scenario_ += all + "\n";
        else if (key == "file") WriteFile(Path(name), written_[name] = text);
        else if (key == "copy") CopyFileA(Path(name).c_str(), Path(words.at(1)).c_str(), FALSE);
        else if (key == "readonly") SetFileAttributesA(Path(all).c_str(), FILE_ATTRIBUTE_READONLY);
        else if (key == "writable") SetFileAttributesA(Path(all).c_str(), FILE_ATTRIBUTE_NORMAL);
        else if (key == "dpi") Check(SetLogPixels(dpi_ = std::stoi(all)), "cannot set the dpi");
        else if (key == "start") Start();
        else if (key == "practice") StartPractice();
        // The console's commands, lists, labels, places, focus, colours and message boxes.
        else if (key == "control") {  // NAME CLASS LEFT TOP RIGHT BOTTOM CAPTION
            HWND control = Control(name);
            const std::string title = TitleOf(control);
            const std::string seen = ClassOf(control) + ' ' + Corners(RectIn(Console(), control));
            Expect([&] { return title.empty() ? seen : seen + ' ' + title; }, text);
        } else if (key == "client") {
            RECT r;
            GetClientRect(WindowNamed(name), &r);
            Expect([&] { return std::to_string(r.right) + ' ' + std::to_string(r.bottom); }, text);
        } else if (key == "centred") {
            RECT r;
            GetWindowRect(WindowNamed(all), &r);
            Check(r.left == (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2 &&
                  r.top == (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, "not centred");
        } else if (key == "pixel") {  // WINDOW X Y RRGGBB
            Expect([&] {
                const int x = std::stoi(words.at(1)), y = std::stoi(words.at(2));
                const COLORREF c = ClientPixel(WindowNamed(name), x, y);
                char rgb[8];
                std::snprintf(rgb, sizeof rgb, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
                return std::string(rgb);
            }, words.at(3), 3000);
        } else if (key == "topmost") {
            SetWindowPos(Console(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            ShowWindow(Console(), SW_MINIMIZE);
            ShowWindow(Console(), SW_RESTORE);
            Wait([&] { return GetWindowLongA(Console(), GWL_EXSTYLE) & WS_EX_TOPMOST; }, "not topmost");
        } else if (key == "box") {
            // Each "|"-separated part is in the box's title or text, "!part" is not;
            // "owner=editor": the editor owns it. It is the only one open; then OK.
            HWND box = Showing(app_->id, "#32770");
            const size_t open = WindowsOf(app_->id, "#32770").size();
            Check(box && open == 1, std::to_string(open) + " message boxes open");
            const std::string shown = TitleOf(box) + "\n" + ControlText(GetDlgItem(box, 0xFFFF));
            for (const std::string& part : Split(Unescape(all), '|')) {
                const bool forbidden = part[0] == '!';
                const bool found = shown.find(part.substr(forbidden)) != std::string::npos;
                const bool owned = part == "owner=editor" && GetWindow(box, GW_OWNER) == Editor();
                Check(owned || found != forbidden, "it says: " + shown);
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            Wait([&] { return !IsWindow(box); }, "the message box stayed");
        } else if (key == "dpi-change") ChangeDpi(WindowNamed(name), std::stoi(text));
        else if (key == "do") Command(Console(), ControlIds.at(all), true);
        else if (key == "post") Command(Console(), ControlIds.at(all), false);
        else if (key == "close") PostMessageA(WindowNamed(all), WM_CLOSE, 0, 0);
        else if (key == "exits") Check(app_->Exited(20000), "the program did not end");
        else if (key == "wait")  // busy|idle
            Wait([&] { return IsWindowEnabled(Console()) == (all == "idle"); }, "it never came", 30000);
        else if (key == "rows")
            Expect([&] { return std::to_string(SendMessageA(Control(name), LB_GETCOUNT, 0, 0)); }, text, 10000);
        else if (key == "shows-rows") Wait([&] { return ListShowsRows(Control(all)); }, "no rows", 1000);
        else if (key == "text") Expect([&] { return TitleOf(Control(name)); }, text);
        else if (key == "focus") ExpectFocus(name, text, 10000);
        // The script editor's boxes, keys, scroll bar and placing.
        else if (key == "thumb") {
            PostMessageA(Editor(), WM_VSCROLL, MAKEWPARAM(ScrollCodes.at(name), std::stoi(text)),
                         reinterpret_cast<LPARAM>(EditorControl("VScroll1")));
        } else if (key == "editor") {  // [same]: the only one (same: the one before, restored and in front)
            HWND found = Showing(app_->id, editor_ids::ClassName, editor_ids::Caption, 10000);
            const size_t open = WindowsOf(app_->id, editor_ids::ClassName).size();
            Check(found && open == 1 && (all != "same" || found == editor_), "no editor, two or another");
            editor_ = found;
            if (all == "same")
                Wait([&] { return !IsIconic(found) && GetForegroundWindow() == found; }, "not in front");
        } else if (key == "editor-closed") {
            Wait([&] { return !IsWindow(editor_); }, "the editor stayed open");
            Wait([&] { return GetForegroundWindow() == Console(); }, "the console is not in front");
        } else if (key == "editor-below-console") {  // neither owned nor topmost, below the topmost console
            Check(!GetWindow(Editor(), GW_OWNER) && !(GetWindowLongA(Editor(), GWL_EXSTYLE) & WS_EX_TOPMOST),
                  "owned or topmost");
            HWND above = GetTopWindow(nullptr);
            while (above && above != Console() && above != Editor()) above = GetWindow(above, GW_HWNDNEXT);
            Check(above == Console(), "the editor lies above the console");
        } else if (key == "editor-away") {  // minimised, as a host might leave it
            ShowWindowAsync(Editor(), SW_MINIMIZE);
            Wait([&] { return IsIconic(Editor()) != FALSE; }, "not minimised");
        } else if (key == "tab-order") {
            for (const std::string& next : words) {
                PressKey(FocusOf(Editor()), VK_TAB);
                ExpectFocus("editor", next, 3000);
            }
        } else if (key == "scroll") {  // the scroll value, and the panel where it puts it
            const std::string expected = all + ' ' + std::to_string(8 - std::stoi(all) / 15);
            Expect([&] {
                const int value = GetScrollPos(EditorControl("VScroll1"), SB_CTL);
                return std::to_string(value) + ' ' + std::to_string(RectIn(Editor(), Panel()).top);
            }, expected, 10000);
        } else if (key == "editor-control") {  // NAME LEFT TOP RIGHT BOTTOM, waited for
            Expect([&] { return Corners(RectIn(Editor(), EditorControl(name))); }, text, 3000);
        } else if (key == "set") SetText(EditorControl(name), text);
        else if (key == "holds") Expect([&] { return ControlText(EditorControl(name)); }, text);
        else if (key == "paste") PasteInto(EditorControl(name), text);
        else if (key == "key" && text.rfind("CHAR ", 0) == 0)
            PostMessageA(EditorControl(name), WM_CHAR, std::stoi(text.substr(5)), 1);
        else if (key == "key") PressKey(EditorControl(name), Keys.at(text));
        else if (key == "click") Command(Editor(), GetDlgCtrlID(EditorControl(all)), false);
        // The chat client: what it received, lines put into its room, its Crowd dialog, the conduit window.
        else if (key == "sent") {  // the records since the last check, exactly the block's, in order
            Strings expected, got;
            for (std::string line; std::getline(block, line) && line != "end";)
                for (const std::string& record : Expand(line, library_)) expected.push_back(record);
            const bool matched = WaitUntil([&] {
                size_t request = 0;
                got.clear();
                for (const std::string& line : Log()) {
                    const std::string kind = line.substr(0, line.find('\t'));
                    const bool isRequest = kind == "poke" || kind == "request" || kind == "api";
                    if (isRequest && ++request > checked_) got.push_back(line);
                }
                return Matches(expected, got);
            }, 15000);
            std::string report = "the chat client received:\n";
            for (const std::string& line : got) report += "    " + line + "\n";
            report += "  expected:\n";
            for (const std::string& line : expected) report += "    " + line + "\n";
            Check(matched, report);
            checked_ += got.size();
        } else if (key == "count") {  // N PREFIX: log lines, waited for
            Expect([&] {
                long count = 0;
                for (const std::string& line : Log()) count += line.rfind(text, 0) == 0;
                return std::to_string(count);
            }, name, 10000);
        } else if (key == "crowd") {  // the room's Crowd... button and dialog, as a host uses them
            Command(roomWindow_, IDC_CROWD, false);
            HWND dialog = Showing(room_->id, "#32770", "Crowd", 10000);
            Check(dialog != nullptr, "no Crowd dialog");
            SetDlgItemInt(dialog, IDC_CROWD_COUNT, std::stoi(all), FALSE);
            Command(dialog, IDOK, false);
            // The room takes the crowd in before it answers the next message.
            DWORD_PTR answer = 0;
            Check(WaitUntil([&] { return !IsWindow(dialog); }) &&
                      SendMessageTimeoutA(roomWindow_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer),
                  "the crowd did not come");
        } else if (key == "room-ends") CloseRoom();
        else if (key == "inject") CopyData(chatsim::InjectLineData, Unescape(all));
        else if (key == "api-data") CopyData(chatsim::ReceivedData, name + '\f' + text);
        else if (key == "conduit-click") Command(Conduit(), ControlIds.at(all), true);
        else if (key == "conduit-set") SetText(GetDlgItem(Conduit(), ControlIds.at(name)), text);
        else if (key == "conduit-shows")
            Expect([&] { return ControlText(GetDlgItem(Conduit(), ControlIds.at(name))); }, text, 10000);
        else Check(false, "unknown directive");
    }

private:
    void Start() {
        // Unless the case wrote its own: the transport's settings, and the
        // simulated library beside the program for the library transport.
        if (!written_.count("SCONTROL.TXT"))
            WriteFile(Path("SCONTROL.TXT"), "VZones 3.0\r\n0\r\n" + std::to_string(library_) + "\r\n0\r\n");
        const auto keep = fs::copy_options::skip_existing;
        if (library_) fs::copy_file(BesideTests("wadapi.dll"), programFolder_ / "wadapi.dll", keep);
        if (!noRoom_) {
            WriteFile(Path("scenario.txt"), scenario_);
            Room(std::make_unique<Program>(BesideTests("chatsim.exe"), folder_));
        }
        const fs::path exe = programFolder_ / "tamblo.exe";
        fs::copy_file(BesideTests("tamblo.exe"), exe, fs::copy_options::overwrite_existing);
        app_ = std::make_unique<Program>(exe, folder_);
    }

    // The download's practice folder, unpacked beside the tests by the test `package`, started as
    // a host starts it: practice.cmd starts the room, which starts the program.
    void StartPractice() {
        std::error_code error;
        fs::copy(BesideTests("unpacked\\practice"), folder_, fs::copy_options::recursive, error);
        Check(!error, "no practice folder beside the runner: " + error.message());
        if (library_ && !written_.count("SCONTROL.TXT"))
            WriteFile(Path("SCONTROL.TXT"), "VZones 3.0\r\n0\r\n1\r\n0\r\n");
        const std::string script = Path("practice.cmd");
        Check(std::system(("\"" + script + "\"").c_str()) == 0, "practice.cmd failed");
        Room(std::make_unique<Program>(chatsim::SimWindowClass));
        app_ = std::make_unique<Program>(ids::ClassName);
    }

    // The room shows its window once its service is registered; ended early, it tells why in a file.
    void Room(std::unique_ptr<Program> room) {
        room_ = std::move(room);
        WaitUntil([&] {
            roomWindow_ = Showing(room_->id, chatsim::SimWindowClass, nullptr, 0);
            return roomWindow_ || room_->Exited(0);
        });
        std::string errors;
        const bool ended = ReadFile(Path("chatsim-errors.txt"), errors);
        Check(roomWindow_, ended ? "the room ended: " + errors : "the room showed no window");
    }

    void CloseRoom() {
        if (!room_) return;
        PostMessageA(roomWindow_, WM_CLOSE, 0, 0);
        room_->Exited(5000);
        room_.reset();
    }

    // The room's log: its complete lines (a last one without its line end is still being written).
    Strings Log() const {
        std::string content;
        ReadFile(Path("chatsim.log"), content);
        content.erase(content.find_last_of('\n') + 1);
        content.erase(std::remove(content.begin(), content.end(), '\r'), content.end());
        return Split(content, '\n');
    }

    void CopyData(ULONG_PTR code, const std::string& bytes) const {
        COPYDATASTRUCT data = {code, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
        const LPARAM sent = reinterpret_cast<LPARAM>(&data);
        DWORD_PTR result = 0;
        Check(SendMessageTimeoutA(roomWindow_, WM_COPYDATA, 0, sent, SMTO_ABORTIFHUNG, 5000, &result) &&
              result == TRUE, "the room did not take it");
    }

    // WM_DPICHANGED as on a move to a monitor of that density, suggesting the window's size scaled
    // and its corner at 8, 8; the window's own process holds the rectangle.
    void ChangeDpi(HWND window, int dpi) {
        RECT r;
        GetWindowRect(window, &r);
        RECT place = {8, 8, 8 + MulDiv(r.right - r.left, dpi, dpi_), 8 + MulDiv(r.bottom - r.top, dpi, dpi_)};
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, app_->id);
        void* copy = VirtualAllocEx(process, nullptr, sizeof place, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        DWORD_PTR result = 0;
        const bool sent = copy && WriteProcessMemory(process, copy, &place, sizeof place, nullptr) &&
                          SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                              reinterpret_cast<LPARAM>(copy), SMTO_NORMAL, 10000, &result);
        CloseHandle(process);
        GetWindowRect(window, &r);
        Check(sent && r.left == 8 && r.top == 8, "it did not take the suggested place");
    }

    HWND Console() {
        // By class too: a message box may carry the same title.
        if (app_ && !console_) console_ = Showing(app_->id, ids::ClassName, ids::Caption);
        Check(console_ != nullptr, "no console window");
        return console_;
    }

    HWND Control(const std::string& name) { return GetDlgItem(Console(), ControlIds.at(name)); }

    HWND Editor() {
        Check(editor_ && IsWindow(editor_), "no editor open");
        return editor_;
    }

    HWND Panel() { return GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1); }

    // Boxes by their script file line, 1 to 30; headings Label1 to Label6; other controls by name.
    HWND EditorControl(const std::string& name) {
        if (EditorIds.count(name)) return GetDlgItem(Editor(), EditorIds.at(name));
        if (name.rfind("Label", 0) == 0)
            return GetDlgItem(Panel(), editor_ids::Label1 + std::stoi(name.substr(5)) - 1);
        return GetDlgItem(Panel(), editor_ids::BoxId(std::stoi(name) - 1));
    }

    HWND WindowNamed(const std::string& name) { return name == "editor" ? Editor() : Console(); }

    // Made, hidden, before the console shows.
    HWND Conduit() {
        Console();
        const auto found = WindowsOf(app_->id, conduit_ids::ClassName, conduit_ids::Caption);
        Check(found.size() == 1 && !IsWindowVisible(found[0]), "no hidden conduit window");
        return found[0];
    }

    std::string Path(const std::string& name) const {
        return name.find(':') != std::string::npos ? name : folder_ + "\\" + name;
    }

    // The focus is on the control named in the window (console or editor): its name, else the focus's id.
    void ExpectFocus(const std::string& window, const std::string& name, DWORD ms) {
        HWND expected = window == "editor" ? EditorControl(name) : Control(name);
        Expect([&] {
            HWND focus = FocusOf(WindowNamed(window));
            return focus == expected ? name : std::to_string(GetDlgCtrlID(focus));
        }, name, ms);
    }

    bool library_;
    std::string folder_;
    fs::path programFolder_ = folder_;  // unless a case says
    std::string scenario_;
    bool noRoom_ = false;
    std::map<std::string, std::string> written_;
    std::unique_ptr<Program> room_, app_;
    HWND roomWindow_ = nullptr, console_ = nullptr, editor_ = nullptr;
    size_t checked_ = 0;
    int dpi_ = 96;
};

// A case: one directive a line; a first line "transports dde library" runs it once in each.
int RunCase(const std::string& name) {
    const std::string path = BesideTests("cases\\" + name);
    std::string text;
    ReadFile(path, text);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    Strings transports = {"dde"};
    if (text.rfind("transports ", 0) == 0) transports = Split(text.substr(11, text.find('\n') - 11), ' ');
    int failures = text.empty();
    for (const std::string& transport : transports) {
        std::istringstream lines(text);
        int number = 0;
        std::string line;
        try {
            Run run(name, transport == "library");
            while (std::getline(lines, line))
                if (++number > 1 || line.rfind("transports ", 0) != 0) run.Do(line, lines);
        } catch (const std::exception& failure) {
            std::printf("%s:%d (%s) %s\n  %s\n", path.c_str(), number, transport.c_str(), line.c_str(),
                        failure.what());
            ++failures;
        }
    }
    std::printf("%s: %s\n", path.c_str(), failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
    if (argc == 2) return e2e::RunCase(argv[1]);
    std::printf("usage: e2e_runner CASE-FILE (in the cases folder beside it)\n");
    return 2;
}
