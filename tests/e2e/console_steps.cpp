// The console's steps: its commands, lists, labels, places, focus, colours
// and message boxes.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "input.h"
#include "run.h"
#include "console/win32/console_controls.h"
#include "link/win32/conduit_controls.h"

namespace e2e {

namespace {

namespace ids = tamblo::console_controls;
namespace conduit_ids = tamblo::conduit_controls;

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
        const std::string seen = ClassOf(control) + ' ' + Corners(RectIn(Console(), control)) + ' ' + TitleOf(control);
        Check(seen == a.text || seen == a.text + " ", "it is " + seen);
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
}

}  // namespace e2e
