#include "console/win32/console_window.h"

#include <commctrl.h>

#include <iterator>

#include "common/display_scale.h"
#include "common/win32/display_dpi.h"
#include "common/win32/win32_platform.h"
#include "common/win32/window_placement.h"
#include "console/win32/console_controls.h"

namespace tamblo {

namespace {

namespace ids = console_controls;

// In pixels at 96 dots per inch, like the controls below; the font in points.
constexpr int ClientWidth = 291;
constexpr int ClientHeight = 248;
constexpr int FontHundredthPoints = 825;
constexpr COLORREF IdleColour = RGB(0, 255, 255);
constexpr COLORREF BusyColour = RGB(255, 0, 0);
constexpr COLORREF Label11Colour = RGB(255, 255, 255);
// A busy list is drawn at most this often, not once per row: each drawing
// costs several milliseconds under Wine, and new rows show within half a second.
constexpr DWORD ListRepaintMs = 400;

struct MenuCommand {
    int id;
    const char* caption;
};

// No access keys: no caption carries an ampersand.
const MenuCommand MenuBar[] = {
    {ids::WelcomeMessage, "Welcome"}, {ids::AskForESP, "Ask_For_$"}, {ids::GetPlayers, "Get-Players"},
    {ids::CloseIt, "Close_It"},       {ids::Scripter, "Scripts"},
};

struct ControlLayout {
    int id;
    const char* className;
    const char* caption;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD Child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD Button = Child | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD List = Child | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_TABSTOP;
constexpr DWORD Label = Child | SS_CENTER | SS_NOPREFIX;

// Created top first: the buttons that lie over the lists' corners come before
// the lists, so they are drawn above them.
const ControlLayout Controls[] = {
    {ids::Dummy, "Button", "Dummy", Button, 320, 24, 105, 25},
    {ids::Command2, "Button", "Clear", Button, 232, 8, 49, 25},
    {ids::Command17, "Button", "Reconnect", Button, 8, 216, 81, 25},
    {ids::Command13, "Button", "Clear", Button, 232, 216, 49, 25},
    {ids::Command1, "Button", "Read List", Button, 8, 104, 105, 25},
    {ids::TotalPeople, "Static", "0", Label, 120, 104, 49, 17},
    {ids::Command12, "Button", "Pick a Winner", Button, 176, 104, 105, 25},
    {ids::Label11, "Static", "Tamblo Winners List", Label, 8, 128, 273, 17},
    {ids::List1, "ListBox", "", List, 8, 8, 273, 93},
    {ids::List2, "ListBox", "", List, 8, 144, 273, 93},
};

const int TabOrder[] = {ids::Dummy,   ids::Command13, ids::Command1, ids::List2,
                        ids::List1,   ids::Command12, ids::Command2, ids::Command17};

LayoutRect PlaceAt(const ControlLayout& control, int dpi) {
    return ToPixelsAt({control.x, control.y, control.width, control.height}, DesignDpi, dpi);
}

}  // namespace

ConsoleWindow::ConsoleWindow(Program& program, Win32Platform& platform, HINSTANCE instance)
    : WindowBase(platform),
      program_(program),
      console_(program.TheConsole()),
      commands_(program.Commands()),
      platform_(platform),
      instance_(instance),
      editor_(program.Scripts(), platform, instance, [&program] { return program.Closing(); }) {}

bool ConsoleWindow::Create(int showCommand) {
    // Themed buttons, lists and scroll bars, as the manifest asks for.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass(instance_, ids::ClassName, nullptr, LoadIcon(nullptr, IDI_APPLICATION))) return false;

    background_ = CreateSolidBrush(IdleColour);
    // Clipping the children keeps the busy colour off the lists and labels.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (!CreateTopLevel(0, ids::ClassName, ids::Caption, style, CW_USEDEFAULT, CW_USEDEFAULT, ClientWidth,
                        ClientHeight, instance_))
        return false;
    dpi_ = DpiOf(window_);
    font_ = BoldFont(FontHundredthPoints, dpi_);
    CreateMenuBar();
    CreateControls();
    console_.SetView(this);
    platform_.AddMessageFilter([this](MSG& message) { return MoveFocusByTab(message); });
    platform_.AddYieldHook([this] { RepaintListIfDue(); });

    Form_Load();
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    FocusDummy();
    return true;
}

void ConsoleWindow::CreateMenuBar() {
    HMENU menu = CreateMenu();
    for (const MenuCommand& command : MenuBar)
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(command.id), command.caption);
    SetMenu(window_, menu);
}

int ConsoleWindow::Scaled(int pixelsAt96) const { return ToPixelsAt(pixelsAt96, DesignDpi, dpi_); }

void ConsoleWindow::CreateControls() {
    for (const ControlLayout& control : Controls) {
        const LayoutRect at = PlaceAt(control, dpi_);
        HWND child = CreateWindowExA(0, control.className, control.caption, control.style, at.left, at.top,
                                     at.width, at.height, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

// On a monitor of another density: the same layout and font at its dpi;
// the lists, texts, focus and busy look stay as they are.
void ConsoleWindow::DpiChanged(int dpi, LPARAM suggested) {
    dpi_ = dpi;
    TakeSuggestedRect(window_, suggested);
    // The menu bar may wrap otherwise at the new width.
    SetClientSize(window_, Scaled(ClientWidth), Scaled(ClientHeight));
    HFONT previous = font_;
    font_ = BoldFont(FontHundredthPoints, dpi_);
    for (const ControlLayout& control : Controls) {
        const LayoutRect at = PlaceAt(control, dpi_);
        HWND child = GetDlgItem(window_, control.id);
        SetWindowPos(child, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    DeleteObject(previous);
}

LRESULT ConsoleWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto relayout = [this](int dpi, LPARAM suggested) { DpiChanged(dpi, suggested); };
    if (AnswerDisplayMessage(window_, message, wParam, lParam, relayout)) return 0;
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 || HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
            return 0;
        case WM_ERASEBKGND:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_CTLCOLORSTATIC:
            return ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (!console_.Busy()) break;
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_CLOSE:
            Form_Unload();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void ConsoleWindow::OnCommand(int id) {
    // The busy frame disables the window; this also holds off commands that
    // arrive by other ways than a click while one runs, or while closing.
    if (console_.Busy() || program_.Closing()) return;
    switch (id) {
        case ids::WelcomeMessage: commands_.SpeakWelcome(); break;
        case ids::AskForESP: commands_.AskForSignUps(); break;
        case ids::GetPlayers: commands_.TakeSignUps(); break;
        case ids::CloseIt: commands_.AnnounceClosing(); break;
        case ids::Command1: commands_.ReadListOut(); break;
        case ids::Command12: commands_.PickWinner(); break;
        case ids::Command2: commands_.ClearEntrantList(); break;
        case ids::Command13: commands_.ClearWinnersList(); break;
        case ids::Command17: commands_.Reconnect(); break;
        case ids::Scripter: Scripter_Click(); break;
        default: break;  // Dummy has no action of its own
    }
}

LRESULT ConsoleWindow::ControlColours(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (id == ids::Label11) {
        SetBkColor(dc, Label11Colour);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

// The tab order differs from the drawing order, so Tab is handled here.
bool ConsoleWindow::MoveFocusByTab(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (message.hwnd != window_ && GetParent(message.hwnd) != window_) return false;
    const int current = GetDlgCtrlID(GetFocus());
    const int count = static_cast<int>(std::size(TabOrder));
    int position = 0;
    for (int i = 0; i < count; ++i)
        if (TabOrder[i] == current) position = i;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    position = (position + (backwards ? count - 1 : 1)) % count;
    SetFocus(GetDlgItem(window_, TabOrder[position]));
    return true;
}

void ConsoleWindow::Form_Load() {
    SetClientSize(window_, Scaled(ClientWidth), Scaled(ClientHeight));
    CentreOnScreen(window_);
    program_.StartUp(AsWindowId(window_));
}

void ConsoleWindow::Form_Resize() { program_.Link().KeepOnTop(AsWindowId(window_)); }

// Ends the process without unwinding into a running command.
void ConsoleWindow::Form_Unload() {
    program_.Close([] { ExitProcess(0); });
}

void ConsoleWindow::Scripter_Click() { editor_.Open(window_); }

void ConsoleWindow::PaintBackground(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, background_);
}

void ConsoleWindow::FocusDummy() { SetFocus(GetDlgItem(window_, ids::Dummy)); }

void ConsoleWindow::EntrantInserted(int index, const std::string& name) {
    SendDlgItemMessageA(window_, ids::List1, LB_INSERTSTRING, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(name.c_str()));
    listStale_ = console_.Busy();
}

// Drawing a busy list for every row would slow a long intake; drawing it
// only at the end would hide it from a host reading it out.
void ConsoleWindow::RepaintListIfDue() {
    if (!listStale_ || GetTickCount() - listPainted_ < ListRepaintMs) return;
    HWND list = GetDlgItem(window_, ids::List1);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    listStale_ = false;
    listPainted_ = GetTickCount();
}

void ConsoleWindow::EntrantsCleared() { SendDlgItemMessageA(window_, ids::List1, LB_RESETCONTENT, 0, 0); }

void ConsoleWindow::WinnerAppended(const std::string& name) {
    SendDlgItemMessageA(window_, ids::List2, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void ConsoleWindow::WinnersCleared() { SendDlgItemMessageA(window_, ids::List2, LB_RESETCONTENT, 0, 0); }

void ConsoleWindow::TotalPeopleChanged(const std::string& text) {
    SetDlgItemTextA(window_, ids::TotalPeople, text.c_str());
}

void ConsoleWindow::BusyEntered() {
    // Disabling the window takes the focus away; an early stop gives it back.
    focusBeforeBusy_ = GetFocus();
    // A long intake inserts many rows: the list is drawn now and then.
    SendDlgItemMessageA(window_, ids::List1, WM_SETREDRAW, FALSE, 0);
    listPainted_ = GetTickCount();
    ShowBusy(true);
}

void ConsoleWindow::BusyLeft(bool focusDummy) {
    ShowBusy(false);
    SendDlgItemMessageA(window_, ids::List1, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(GetDlgItem(window_, ids::List1), nullptr, TRUE);
    listStale_ = false;
    if (focusDummy)
        FocusDummy();
    else if (focusBeforeBusy_ && IsWindow(focusBeforeBusy_))
        SetFocus(focusBeforeBusy_);
}

void ConsoleWindow::ShowBusy(bool busy) {
    DeleteObject(background_);
    background_ = CreateSolidBrush(busy ? BusyColour : IdleColour);
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
    EnableWindow(window_, busy ? FALSE : TRUE);
    InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace tamblo
