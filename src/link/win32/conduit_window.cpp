#include "link/win32/conduit_window.h"

#include <utility>

#include "link/win32/conduit_controls.h"

namespace tamblo {

namespace {

namespace ids = conduit_controls;

// Setting an edit control's text costs about a millisecond under Wine, and
// every exchange changes the fields several times: they are shown at most
// this often, by a timer that also fires once the program is idle.
constexpr UINT_PTR ShowTimer = 1;
constexpr UINT ShowEveryMs = 1000;

struct ControlLayout {
    const char* className;
    const char* caption;
    int id;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD Child = WS_CHILD | WS_VISIBLE;
constexpr DWORD OneLineEdit = Child | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD ManyLineEdit = Child | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
// Unwrapped: laying out a fetched chat text of a megabyte or more in wrapped
// lines takes seconds.
constexpr DWORD LinkField = ManyLineEdit | ES_AUTOHSCROLL | WS_HSCROLL;
constexpr DWORD PushButton = Child | BS_PUSHBUTTON | WS_TABSTOP;

const ControlLayout Controls[] = {
    {"Static", "Comm Mode", -1, Child, 8, 8, 90, 16},
    {"Edit", "", ids::CommMode, OneLineEdit, 100, 6, 40, 20},
    {"Static", "(0 - Speak, 1 - Think, 2- ESP)", -1, Child, 148, 8, 200, 16},
    {"Static", "Avatar Name", -1, Child, 8, 34, 90, 16},
    {"Edit", "", ids::AvatarName, OneLineEdit, 100, 32, 240, 20},
    {"Static", "Text To Send", -1, Child, 8, 60, 90, 16},
    {"Edit", "", ids::CommText, ManyLineEdit, 100, 58, 240, 48},
    {"Edit", "", ids::Text1, LinkField, 8, 114, 332, 90},
    {"Button", "Error Occured", ids::ErrorCheck, Child | BS_AUTOCHECKBOX | WS_TABSTOP, 8, 212, 120, 20},
    {"Button", "Register", ids::WA_Register, PushButton, 8, 238, 80, 24},
    {"Button", "Unregister", ids::WA_Unregister, PushButton, 92, 238, 80, 24},
    {"Button", "Communicate", ids::WA_Communicate, PushButton, 176, 238, 80, 24},
    {"Button", "GetAllText", ids::WA_GetAllText, PushButton, 260, 238, 80, 24},
};

}  // namespace

Win32ConduitWindows::Win32ConduitWindows(HINSTANCE instance, Win32Platform& platform) : instance_(instance) {
    platform.AddYieldHook([this] { yieldedSinceTick_ = true; });
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Win32ConduitWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ids::ClassName;
    registered_ = RegisterClassA(&windowClass) != 0;
}

std::unique_ptr<ConduitWindow> Win32ConduitWindows::Create(DdeConduit& conduit) {
    return std::make_unique<Win32ConduitWindow>(instance_, registered_, yieldedSinceTick_, conduit);
}

Win32ConduitWindow::Win32ConduitWindow(HINSTANCE instance, bool classRegistered, bool& yieldedSinceTick,
                                       DdeConduit& conduit)
    : conduit_(conduit), yieldedSinceTick_(yieldedSinceTick) {
    if (!classRegistered) return;
    // Never shown: it only hosts the conversation.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, ids::ClassName, ids::Caption,
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 360, 300,
                              nullptr, nullptr, instance, this);
    CreateControls();
}

Win32ConduitWindow::~Win32ConduitWindow() {
    conversation_.Close();
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void Win32ConduitWindow::CreateControls() {
    if (!window_) return;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlLayout& control : Controls) {
        HWND child = CreateWindowExA(0, control.className, control.caption, control.style, control.x, control.y,
                                     control.width, control.height, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), nullptr, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // The link field keeps a fetched answer whole.
    SendDlgItemMessageA(window_, ids::Text1, EM_LIMITTEXT, 0, 0);
    SendDlgItemMessageA(window_, ids::CommText, EM_LIMITTEXT, 0, 0);
}

LRESULT CALLBACK Win32ConduitWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32ConduitWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        self->OnButton(LOWORD(wParam));
        return 0;
    }
    // A fetched chat text of a megabyte takes the link field about two
    // seconds to lay out, and a command's next exchange replaces it anyway:
    // while a command yields, the fields wait for a tick without yields.
    if (self && message == WM_TIMER && wParam == ShowTimer) {
        if (!std::exchange(self->yieldedSinceTick_, false)) self->ShowPending();
        return 0;
    }
    if (message == WM_CLOSE) return 0;  // lives until the link destroys it
    return DefWindowProcA(window, message, wParam, lParam);
}

void Win32ConduitWindow::OnButton(int id) {
    switch (id) {
        case ids::WA_Register:
            conduit_.DdeRegister();
            break;
        case ids::WA_Unregister:
            conduit_.DdeUnregister();
            break;
        case ids::WA_Communicate:
            // A person may have typed the fields: the record is built from them.
            conduit_.SetCommFields(ControlText(ids::CommMode), ControlText(ids::AvatarName),
                                   ControlText(ids::CommText));
            conduit_.DdeCommunicate();
            break;
        case ids::WA_GetAllText:
            conduit_.DdeGetAllText();
            break;
        default:
            break;
    }
    // A person who clicked sees the outcome at once, and types on from it.
    ShowPending();
}

void Win32ConduitWindow::ShowFields(const ConduitFields& fields) {
    if (!window_) return;
    pending_ = fields;
    if (timerSet_) return;
    timerSet_ = SetTimer(window_, ShowTimer, ShowEveryMs, nullptr) != 0;
    if (!timerSet_) Update();  // without a timer, at once
}

void Win32ConduitWindow::ShowPending() {
    if (!timerSet_) return;
    KillTimer(window_, ShowTimer);
    timerSet_ = false;
    Update();
}

void Win32ConduitWindow::Update() {
    auto update = [&](int id, const std::string& now, const std::string& before) {
        if (!anyShown_ || now != before) SetControlText(id, now);
    };
    update(ids::CommMode, pending_.CommMode, shown_.CommMode);
    update(ids::AvatarName, pending_.AvatarName, shown_.AvatarName);
    update(ids::CommText, pending_.CommText, shown_.CommText);
    update(ids::Text1, pending_.Text1, shown_.Text1);
    CheckDlgButton(window_, ids::ErrorCheck, pending_.ErrorCheck ? BST_CHECKED : BST_UNCHECKED);
    shown_ = pending_;
    anyShown_ = true;
}

std::string Win32ConduitWindow::ControlText(int id) const {
    HWND control = GetDlgItem(window_, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Win32ConduitWindow::SetControlText(int id, const std::string& text) {
    SetDlgItemTextA(window_, id, text.c_str());
}

}  // namespace tamblo
