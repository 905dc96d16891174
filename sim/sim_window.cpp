#include "sim_window.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win32/display_dpi.h"
#include "crowd.h"
#include "sim_resources.h"

namespace chatsim {

namespace {

constexpr int Margin = 6;
constexpr int RowHeight = 24;
constexpr int StatusHeight = 16;
constexpr int ButtonWidth = 70;
constexpr int LabelWidth = 76;
constexpr int DefaultCrowd = 50;
// The narrowest room that still shows a usable name box.
constexpr int MinClientWidth = 320;
// The console beside the room centres itself on the screen by its outer
// size: this client width at 96 dpi in this frame, with a menu bar.
constexpr int ConsoleClientWidth = 291;
constexpr DWORD ConsoleStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

template <typename Function>
Function FromUser32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), name)));
}

int OuterWidth(DWORD style, bool menu, int clientWidth, int dpi) {
    static const auto adjust = FromUser32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT rect = {0, 0, clientWidth, 100};
    if (!adjust || !adjust(&rect, style, menu, 0, static_cast<UINT>(dpi))) AdjustWindowRectEx(&rect, style, menu, 0);
    return rect.right - rect.left;
}

HFONT RoomFont(int dpi) {
    return CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       "MS Shell Dlg");
}

// What fails in the room's window is told in a box; the room goes on.
class RoomBoxes : public tamblo::MessageBoxes {
public:
    void Show(const std::string& text, const std::string&, tamblo::MessageIcon) override {
        MessageBoxA(nullptr, text.c_str(), "chatsim", MB_OK);
    }
} roomBoxes;

}  // namespace

SimWindow::SimWindow() : WindowBase(roomBoxes) {}

bool SimWindow::Create(HINSTANCE instance, const std::string& title, LineHandler onLine,
                       CopyDataHandler onCopyData) {
    onLine_ = std::move(onLine);
    onCopyData_ = std::move(onCopyData);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass(instance, SimWindowClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             LoadIcon(nullptr, IDI_APPLICATION)) ||
        !CreateTopLevel(0, SimWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                        460, instance))
        return false;
    PlaceBesideConsole();
    return true;
}

// A host rehearses with both windows in view and the topmost console over
// none of the room's controls: the room lies left or right of where the
// console will centre itself, from top to bottom. Where neither side is wide
// enough it lies against the right edge, its buttons right of the console.
void SimWindow::PlaceBesideConsole() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int consoleWidth = OuterWidth(ConsoleStyle, true, Scaled(ConsoleClientWidth), dpi_);
    const int consoleLeft = (GetSystemMetrics(SM_CXSCREEN) - consoleWidth) / 2;
    const int leftSpace = consoleLeft - Scaled(Margin) - work.left;
    const int rightSpace = work.right - (consoleLeft + consoleWidth + Scaled(Margin));
    const int least = OuterWidth(WS_OVERLAPPEDWINDOW, false, Scaled(MinClientWidth), dpi_);
    const int width = leftSpace >= least ? leftSpace : std::max(rightSpace, least);
    const int left = leftSpace >= least ? work.left : work.right - width;
    SetWindowPos(window_, nullptr, left, work.top, width, work.bottom - work.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int SimWindow::Scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }

void SimWindow::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(entry_);
}

LRESULT SimWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_DPICHANGED:
            DpiChanged(LOWORD(wParam), lParam);
            return 0;
        case WM_SIZE:
            Layout(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                // The Say button, or Enter anywhere in the window
                // (IsDialogMessage); Enter in the name box signs that avatar up.
                case IDOK: GetFocus() == name_ ? SignUpByName() : Say(); break;
                case IDC_ESP_DOLLAR: SignUpByName(); break;
                case IDC_CROWD: AskForCrowd(); break;
            }
            return 0;
        case WM_COPYDATA:
            return CopyData(reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void SimWindow::OnCreate() {
    dpi_ = tamblo::DpiOf(window_);
    font_ = RoomFont(dpi_);
    CreateControls();
}

void SimWindow::DpiChanged(int dpi, LPARAM suggested) {
    dpi_ = dpi;
    HFONT previous = font_;
    font_ = RoomFont(dpi_);
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    DeleteObject(previous);
    tamblo::TakeSuggestedRect(window_, suggested);
}

void SimWindow::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    auto child = [&](const char* className, const char* text, DWORD style, int id) {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return control;
    };
    room_ = child("Edit", "", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, IDC_ROOM);
    espCount_ = child("Static", "", SS_LEFT | SS_NOPREFIX, IDC_ESP_COUNT);
    // Each label just before its box, so that a screen reader names the box.
    nameLabel_ = child("Static", "Avatar name:", SS_LEFT, -1);
    name_ = child("Edit", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, IDC_AVATAR_NAME);
    espButton_ = child("Button", "ESP $", WS_TABSTOP | BS_PUSHBUTTON, IDC_ESP_DOLLAR);
    crowdButton_ = child("Button", "Crowd...", WS_TABSTOP | BS_PUSHBUTTON, IDC_CROWD);
    entry_ = child("Edit", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, IDC_ENTRY);
    sayButton_ = child("Button", "Say", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    SetEspCount(0);
    // The default limit is far below what a long evening in a room holds.
    SendMessageA(room_, EM_SETLIMITTEXT, 0, 0);
}

// Measures at 96 dpi, scaled to the window's.
void SimWindow::Layout(int width, int height) {
    const int margin = Scaled(Margin), row = Scaled(RowHeight), button = Scaled(ButtonWidth);
    const int label = Scaled(LabelWidth), status = Scaled(StatusHeight);
    const int rowTop = height - margin - row;
    const int nameTop = rowTop - margin - row;
    const int statusTop = nameTop - margin - status;
    MoveWindow(room_, margin, margin, width - 2 * margin, statusTop - 2 * margin, TRUE);
    MoveWindow(espCount_, margin, statusTop, width - 2 * margin, status, TRUE);
    const int crowdLeft = width - margin - button;
    const int espLeft = crowdLeft - margin - button;
    const int nameLeft = margin + label;
    MoveWindow(nameLabel_, margin, nameTop + Scaled(4), label, row - Scaled(4), TRUE);
    MoveWindow(name_, nameLeft, nameTop, espLeft - margin - nameLeft, row, TRUE);
    MoveWindow(espButton_, espLeft, nameTop, button, row, TRUE);
    MoveWindow(crowdButton_, crowdLeft, nameTop, button, row, TRUE);
    MoveWindow(entry_, margin, rowTop, width - 3 * margin - button, row, TRUE);
    MoveWindow(sayButton_, width - margin - button, rowTop, button, row, TRUE);
}

void SimWindow::SetEspCount(long count) {
    if (count == shownEspCount_) return;
    shownEspCount_ = count;
    SetWindowTextA(espCount_, ("ESPs sent by Tamblo: " + std::to_string(count)).c_str());
}

void SimWindow::SetRoomText(const std::string& text) {
    SetWindowTextA(room_, text.c_str());
    const int end = GetWindowTextLengthA(room_);
    SendMessageA(room_, EM_SETSEL, end, end);
    SendMessageA(room_, EM_SCROLLCARET, 0, 0);
}

void SimWindow::AppendRoomLine(const std::string& line) {
    const int end = GetWindowTextLengthA(room_);
    SendMessageA(room_, EM_SETSEL, end, end);
    SendMessageA(room_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>((line + "\r\n").c_str()));
    SendMessageA(room_, EM_SCROLLCARET, 0, 0);
}

void SimWindow::Say() {
    const std::string line = tamblo::WindowText(entry_);
    SetWindowTextA(entry_, "");
    SetFocus(entry_);
    // Enter in an empty line is a slip, not a blank room line.
    if (!line.empty() && onLine_) onLine_(line);
}

// The host types a name, not the line format.
void SimWindow::SignUpByName() {
    const std::string name = tamblo::WindowText(name_);
    SetWindowTextA(name_, "");
    SetFocus(name_);
    if (!name.empty() && onLine_) onLine_("ESP from " + name + ": $");
}

void SimWindow::AskForCrowd() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    const INT_PTR count = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CROWD), window_, CrowdDialogProc, 0);
    if (count <= 0 || !onCrowd_) return;
    onCrowd_(CrowdLines(static_cast<int>(count), nextCrowdNumber_));
    nextCrowdNumber_ += static_cast<int>(count);
}

// Ends with the number asked for, or 0 when cancelled.
INT_PTR CALLBACK SimWindow::CrowdDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemInt(dialog, IDC_CROWD_COUNT, DefaultCrowd, FALSE);
        SendDlgItemMessageA(dialog, IDC_CROWD_COUNT, EM_SETSEL, 0, -1);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (LOWORD(wParam) != IDOK) return FALSE;
    BOOL number = FALSE;
    const UINT count = GetDlgItemInt(dialog, IDC_CROWD_COUNT, &number, FALSE);
    if (number && count >= 1 && count <= MaxCrowd) {
        EndDialog(dialog, count);
    } else {
        MessageBoxA(dialog, ("Please enter a number from 1 to " + std::to_string(MaxCrowd) + ".").c_str(), "Crowd",
                    MB_OK | MB_ICONINFORMATION);
        SetFocus(GetDlgItem(dialog, IDC_CROWD_COUNT));
    }
    return TRUE;
}

LRESULT SimWindow::CopyData(HWND from, const COPYDATASTRUCT& data) {
    if (data.dwData != InjectLineData) return onCopyData_ ? onCopyData_(from, data) : FALSE;
    const char* bytes = static_cast<const char*>(data.lpData);
    // Every byte, a NUL too: the library hands the text over counted.
    const std::string line(bytes ? bytes : "", bytes ? data.cbData : 0);
    if (onLine_) onLine_(line);
    return TRUE;
}

}  // namespace chatsim
