// The script editor's steps: its boxes, keys, scroll bar and placing.
#include <windows.h>

#include <map>
#include <string>

#include "input.h"
#include "run.h"
#include "scripts/win32/editor_controls.h"

namespace e2e {

namespace editor_ids = tamblo::editor_controls;

namespace {

const std::map<std::string, WPARAM> Keys = {{"TAB", VK_TAB},   {"RETURN", VK_RETURN}, {"UP", VK_UP},
                                           {"DOWN", VK_DOWN}, {"PRIOR", VK_PRIOR},   {"NEXT", VK_NEXT}};

}  // namespace

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

HWND Run::Editor() {
    Check(editor_ && IsWindow(editor_), "no editor open");
    return editor_;
}

int Run::PanelTop() { return RectIn(Editor(), GetDlgItem(GetDlgItem(Editor(), editor_ids::Frame2), editor_ids::Frame1)).top; }

}  // namespace e2e
