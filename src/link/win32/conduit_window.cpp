#include "link/win32/conduit_window.h"

#include <utility>

#include "common/win32/window_base.h"
#include "link/win32/conduit_controls.h"
#include "link/win32/ddeml_conversation.h"

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

class Win32ConduitWindow : public ConduitWindow, private WindowBase {
public:
    struct Shared {
        HINSTANCE instance;
        // Without a registered class there is no window to show the fields.
        bool classRegistered;
        bool& yieldedSinceTick;
        MessageBoxes& boxes;
    };
    Win32ConduitWindow(const Shared& shared, DdeConduit& conduit);
    ~Win32ConduitWindow() override;

    DdeConversation& Conversation() override { return conversation_; }
    void ShowFields(const ConduitFields& fields) override;

private:
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void OnButton(int id);
    void OnShowTimer();
    void SetControlText(int id, const std::string& text);
    void ShowPending();
    void Update();

    DdeConduit& conduit_;
    bool& yieldedSinceTick_;
    DdemlConversation conversation_;
    ConduitFields shown_;
    ConduitFields pending_;
    bool anyShown_ = false;
    bool timerSet_ = false;
};

}  // namespace

Win32ConduitWindows::Win32ConduitWindows(HINSTANCE instance, Win32Platform& platform)
    : instance_(instance), platform_(platform) {
    platform.AddYieldHook([this] { yieldedSinceTick_ = true; });
    registered_ = WindowBase::RegisterWindowClass(instance, ids::ClassName,
                                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
}

std::unique_ptr<ConduitWindow> Win32ConduitWindows::Create(DdeConduit& conduit) {
    return std::make_unique<Win32ConduitWindow>(
        Win32ConduitWindow::Shared{instance_, registered_, yieldedSinceTick_, platform_}, conduit);
}

Win32ConduitWindow::Win32ConduitWindow(const Shared& shared, DdeConduit& conduit)
    : WindowBase(shared.boxes), conduit_(conduit), yieldedSinceTick_(shared.yieldedSinceTick) {
    if (!shared.classRegistered) return;
    // Never shown: it only hosts the conversation.
    CreateTopLevel(WS_EX_TOOLWINDOW, ids::ClassName, ids::Caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                   CW_USEDEFAULT, CW_USEDEFAULT, 360, 300, shared.instance);
    CreateControls();
}

Win32ConduitWindow::~Win32ConduitWindow() {
    conversation_.Close();
    Destroy();
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

LRESULT Win32ConduitWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            OnButton(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam != ShowTimer) break;
            OnShowTimer();
            return 0;
        case WM_CLOSE:
            return 0;  // lives until the link destroys it
        default:
            break;
    }
    return Default(message, wParam, lParam);
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
            conduit_.SetCommFields(WindowText(GetDlgItem(window_, ids::CommMode)),
                                   WindowText(GetDlgItem(window_, ids::AvatarName)),
                                   WindowText(GetDlgItem(window_, ids::CommText)));
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

// A fetched chat text of a megabyte takes the link field about two seconds
// to lay out, and a command's next exchange replaces it anyway: while a
// command yields, the fields wait for a tick without yields.
void Win32ConduitWindow::OnShowTimer() {
    if (!std::exchange(yieldedSinceTick_, false)) ShowPending();
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

void Win32ConduitWindow::SetControlText(int id, const std::string& text) {
    SetDlgItemTextA(window_, id, text.c_str());
}

}  // namespace tamblo
