// The display's steps: its density for the programs started after it (Wine
// reads it as a process starts), a move to a monitor of another density, the
// editor's controls where they lie, the practice room beside the console.
#include <windows.h>

#include <string>

#include "input.h"
#include "run.h"

namespace e2e {

void Run::OnDisplay() {
    directives_["dpi"] = [this](const Arg& a) { Check(SetLogPixels(dpi_ = std::stoi(a.all)), "cannot set the dpi"); };
    // editor-control NAME LEFT TOP RIGHT BOTTOM, in the editor's client area (waited for, as after a scroll)
    directives_["editor-control"] = [this](const Arg& a) {
        std::string seen;
        const bool placed = WaitUntil([&] { return (seen = Corners(RectIn(Editor(), EditorControl(a.name)))) == a.text; }, 3000);
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

bool Run::SetLogPixels(int dpi) {
    const DWORD value = static_cast<DWORD>(dpi);
    return RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

}  // namespace e2e
