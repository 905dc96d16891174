// The steps of a case (cases/README.md). The console's: its commands, lists,
// labels, places, focus, colours and message boxes, the display's density for
// the programs started after it (Wine reads it as a process starts) and a
// move to a monitor of another density. The script editor's: its boxes, keys,
// scroll bar and placing. The chat client's: what it received, lines put into
// its room, its Crowd dialog and the hidden conduit window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "driver.h"
#include "run.h"
#include "console/win32/console_controls.h"
#include "link/win32/conduit_controls.h"
#include "scripts/win32/editor_controls.h"
#include "sim_resources.h"

namespace e2e {

namespace ids = tamblo::console_controls;
namespace conduit_ids = tamblo::conduit_controls;
namespace editor_ids = tamblo::editor_controls;

namespace {

const std::map<std::string, int> ConsoleIds = {
    {"WelcomeMessage", ids::WelcomeMessage}, {"AskForESP", ids::AskForESP}, {"GetPlayers", ids::GetPlayers},
    {"CloseIt", ids::CloseIt}, {"Scripter", ids::Scripter}, {"List1", ids::List1}, {"Command2", ids::Command2},
    {"Command1", ids::Command1}, {"TotalPeople", ids::TotalPeople}, {"Command12", ids::Command12}, {"Label11", ids::Label11},
    {"List2", ids::List2}, {"Command17", ids::Command17}, {"Command13", ids::Command13}, {"Dummy", ids::Dummy},
    {"CommMode", conduit_ids::CommMode}, {"AvatarName", conduit_ids::AvatarName}, {"CommText", conduit_ids::CommText},
    {"Text1", conduit_ids::Text1}, {"WA_Communicate", conduit_ids::WA_Communicate}, {"WA_GetAllText", conduit_ids::WA_GetAllText},
};

const std::map<std::string, WPARAM> Keys = {
    {"RETURN", VK_RETURN}, {"UP", VK_UP}, {"DOWN", VK_DOWN}, {"PRIOR", VK_PRIOR}, {"NEXT", VK_NEXT}};

// The case's record shorthand as the transport's log lines: register,
// unregister, fetch, say TEXT, esp NAME|TEXT, and "...".
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
    if (word == "...") return {word};
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

}  // namespace

int IdOf(const std::string& name) {
    const auto found = ConsoleIds.find(name);
    Check(found != ConsoleIds.end(), "no control named " + name);
    return found->second;
}

HWND Run::Console() {
    // By class too: a message box may carry the same title.
    if (app_ && !console_) console_ = app_->WaitForWindow("Tamblo", "Tamblo");
    Check(console_ != nullptr, "no console window");
    return console_;
}

void Run::OnConsole() {
    directives_["do"] = [this](const Arg& a) { Check(RunCommand(Console(), IdOf(a.all)), "it never ended"); };
    directives_["post"] = [this](const Arg& a) { PostCommand(Console(), IdOf(a.all)); };
    directives_["wait"] = [this](const Arg& a) {
        Wait([&] { return (IsWindowEnabled(Console()) == FALSE) == (a.all == "busy"); }, "it never came", 30000);
    };
    directives_["close"] = [this](const Arg& a) { PostMessageA(WindowNamed(a.all), WM_CLOSE, 0, 0); };
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
        const std::string seen = ClassOf(control) + ' ' + Corners(RectIn(Console(), control)) + ' ' + TitleOf(control);
        Check(seen == a.text || seen == a.text + " ", "it is " + seen);
    };
    directives_["client"] = [this](const Arg& a) {
        RECT client;
        GetClientRect(WindowNamed(a.name), &client);
        const std::string size = std::to_string(client.right) + " " + std::to_string(client.bottom);
        Check(size == a.text, "client size " + size);
    };
    directives_["centred"] = [this](const Arg& a) {
        RECT outer;
        GetWindowRect(WindowNamed(a.all), &outer);
        Check(outer.left == (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2 &&
              outer.top == (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, "not centred");
    };
    directives_["focus"] = [this](const Arg& a) {
        HWND window = WindowNamed(a.name);
        HWND expected = a.name == "editor" ? EditorControl(a.text) : GetDlgItem(window, IdOf(a.text));
        Wait([&] { return FocusOf(window) == expected; }, "the focus is on " + std::to_string(GetDlgCtrlID(FocusOf(window))));
    };
    directives_["pixel"] = [this](const Arg& a) {  // pixel WINDOW X Y RRGGBB
        const unsigned long rgb = std::stoul(a.words.at(3), nullptr, 16);
        COLORREF seen = 0;
        const bool same = WaitUntil([&] { return (seen = ClientPixel(WindowNamed(a.name), std::stoi(a.words.at(1)), std::stoi(a.words.at(2)))) ==
                                                 RGB(rgb >> 16, (rgb >> 8) & 255, rgb & 255); }, 3000);
        char shown[32];
        std::snprintf(shown, sizeof shown, "the pixel is %02X%02X%02X", GetRValue(seen), GetGValue(seen), GetBValue(seen));
        Check(same, shown);
    };
    directives_["shows-rows"] = [this](const Arg& a) {
        HWND list = GetDlgItem(Console(), IdOf(a.all));
        Wait([&] { return ListShowsRows(list); }, "it does not show its rows", 1000);
    };
    // topmost: taken off the top, minimised and restored, it is topmost again.
    directives_["topmost"] = [this](const Arg&) {
        SetWindowPos(Console(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(Console(), SW_MINIMIZE);
        ShowWindow(Console(), SW_RESTORE);
        Wait([&] { return (GetWindowLongA(Console(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, "not topmost");
    };
    // Each "|"-separated part is in the box's title or text, "!part" is not;
    // "owner=editor": the editor owns it. Then OK.
    directives_["box"] = [this](const Arg& a) {
        HWND box = nullptr;
        Wait([&] { return (box = app_->VisibleOfClass("#32770")) != nullptr; }, "no message box", 20000);
        const size_t open = WindowsOf(app_->id(), [](HWND window) { return ClassOf(window) == "#32770"; }).size();
        Check(open == 1, std::to_string(open) + " message boxes open at once");
        const std::string shown = TitleOf(box) + "\n" + ControlText(GetDlgItem(box, 0xFFFF));
        for (const std::string& part : Split(Unescape(a.all), '|')) {
            const bool forbidden = part.rfind("!", 0) == 0;
            if (part == "owner=editor") Check(GetWindow(box, GW_OWNER) == Editor(), "the box is not the editor's");
            else Check((shown.find(part.substr(forbidden)) != std::string::npos) != forbidden, "the box says: " + shown);
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        Wait([&] { return !IsWindow(box); }, "the message box stayed");
    };
    directives_["dpi"] = [this](const Arg& a) { Check(SetLogPixels(dpi_ = std::stoi(a.all)), "cannot set the dpi"); };
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
}

bool Run::SetLogPixels(int dpi) {
    const DWORD value = static_cast<DWORD>(dpi);
    return RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

// Boxes by their script file line, 1 to 30; other controls by name.
HWND Run::EditorControl(const std::string& name) {
    if (name == "VScroll1") return GetDlgItem(Editor(), editor_ids::VScroll1);
    if (name == "Frame2") return GetDlgItem(Editor(), editor_ids::Frame2);
    if (name == "Command1" || name == "Command2") return GetDlgItem(Editor(), name == "Command1" ? editor_ids::Command1 : editor_ids::Command2);
    HWND panel = GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1);
    if (name.rfind("Label", 0) == 0) return GetDlgItem(panel, editor_ids::Label1 + std::stoi(name.substr(5)) - 1);
    return GetDlgItem(panel, editor_ids::BoxId(std::stoi(name) - 1));
}

void Run::OnEditor() {
    // editor [same]: the only one open (same: the one open before, restored and in front).
    directives_["editor"] = [this](const Arg& a) {
        HWND found = app_->WaitForWindow(editor_ids::Caption, editor_ids::ClassName, 10000);
        const auto editors = WindowsOf(app_->id(), [](HWND window) { return TitleOf(window) == editor_ids::Caption; });
        Check(found && editors.size() == 1 && (a.all != "same" || found == editor_), "no editor, a second one or another");
        editor_ = found;
        if (a.all == "same")
            Wait([&] { return !IsIconic(found) && GetForegroundWindow() == found; }, "the editor is not in front");
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
    directives_["set"] = [this](const Arg& a) {
        SendMessageA(EditorControl(a.name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.text.c_str()));
    };
    directives_["holds"] = [this](const Arg& a) {
        const std::string held = ControlText(EditorControl(a.name));
        Check(held == a.text, "it holds \"" + Escape(held) + "\"");
    };
    directives_["key"] = [this](const Arg& a) {
        if (a.text.rfind("CHAR ", 0) == 0) PostMessageA(EditorControl(a.name), WM_CHAR, std::stoi(a.text.substr(5)), 1);
        else PressKey(EditorControl(a.name), Keys.at(a.text));
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
    // Minimised, as a host might leave it.
    directives_["editor-away"] = [this](const Arg&) {
        ShowWindowAsync(Editor(), SW_MINIMIZE);
        Wait([&] { return IsIconic(Editor()) != FALSE; }, "not minimised");
    };
    // editor-control NAME LEFT TOP RIGHT BOTTOM, in the editor's client area (waited for, as after a scroll)
    directives_["editor-control"] = [this](const Arg& a) {
        std::string seen;
        const bool placed = WaitUntil([&] { return (seen = Corners(RectIn(Editor(), EditorControl(a.name)))) == a.text; }, 3000);
        Check(placed, "it is " + seen);
    };
}

HWND Run::Editor() {
    Check(editor_ && IsWindow(editor_), "no editor open");
    return editor_;
}

int Run::PanelTop() { return RectIn(Editor(), GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1)).top; }

void Run::OnRoom() {
    // The records since the last check must be exactly the block's, in order.
    directives_["sent"] = [this](const Arg& a) {
        Strings expected, got;
        for (std::string line; std::getline(*a.block, line) && line != "end";)
            for (const std::string& record : Expand(line, library_)) expected.push_back(record);
        const bool matched = WaitUntil([&] {
            Strings all;  // the requests, not the log's other lines
            for (const std::string& line : sim_ ? sim_->Log() : Strings())
                if (line.rfind("poke\t", 0) == 0 || line.rfind("request\t", 0) == 0 || line.rfind("api\t", 0) == 0) all.push_back(line);
            got.assign(all.begin() + static_cast<long>(std::min(checked_, all.size())), all.end());
            return Matches(expected, got);
        }, 15000);
        std::string report = "the chat client received:\n";
        for (const std::string& line : got) report += "    " + line + "\n";
        report += "  expected:\n";
        for (const std::string& line : expected) report += "    " + line + "\n";
        Check(matched, report);
        checked_ += got.size();
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
        HWND box = GetDlgItem(conduit, IdOf(a.name));
        Wait([&] { return ControlText(box) == a.text; }, "it shows " + Escape(ControlText(box)));
    };
}

HWND Run::Conduit() {
    Console();  // made, hidden, before the console shows
    return app_->Window([](HWND window) { return TitleOf(window) == conduit_ids::Caption; });
}

}  // namespace e2e
