#include "sim_window.h"

namespace chatsim {

namespace {

constexpr int Margin = 6;
constexpr int RowHeight = 24;
constexpr int ButtonWidth = 70;
constexpr int RoomId = 100;
constexpr int EntryId = 101;

}  // namespace

bool SimWindow::Create(HINSTANCE instance, const std::string& title, LineHandler onLine,
                       CopyDataHandler onCopyData) {
    onLine_ = std::move(onLine);
    onCopyData_ = std::move(onCopyData);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = SimWindowClass;
    if (!RegisterClassA(&windowClass)) return false;

    window_ = CreateWindowExA(0, SimWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              640, 420, nullptr, nullptr, instance, this);
    return window_ != nullptr;
}

void SimWindow::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(entry_);
}

LRESULT CALLBACK SimWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SimWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->Route(message, wParam, lParam);
}

LRESULT SimWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_SIZE:
            Layout(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            // The button, or Enter anywhere in the window (IsDialogMessage).
            if (LOWORD(wParam) == IDOK) Say();
            return 0;
        case WM_COPYDATA:
            return CopyData(reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void SimWindow::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    auto child = [&](const char* className, const char* text, DWORD style, int id) {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return control;
    };
    room_ = child("Edit", "", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, RoomId);
    entry_ = child("Edit", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, EntryId);
    sayButton_ = child("Button", "Say", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    // The default limit is far below what a long evening in a room holds.
    SendMessageA(room_, EM_SETLIMITTEXT, 0, 0);
}

void SimWindow::Layout(int width, int height) {
    const int rowTop = height - Margin - RowHeight;
    MoveWindow(room_, Margin, Margin, width - 2 * Margin, rowTop - 2 * Margin, TRUE);
    MoveWindow(entry_, Margin, rowTop, width - 3 * Margin - ButtonWidth, RowHeight, TRUE);
    MoveWindow(sayButton_, width - Margin - ButtonWidth, rowTop, ButtonWidth, RowHeight, TRUE);
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
    const int length = GetWindowTextLengthA(entry_);
    std::string line(length + 1, '\0');
    GetWindowTextA(entry_, line.data(), length + 1);
    line.resize(length);
    SetWindowTextA(entry_, "");
    SetFocus(entry_);
    // Enter in an empty line is a slip, not a blank room line.
    if (!line.empty() && onLine_) onLine_(line);
}

LRESULT SimWindow::CopyData(HWND from, const COPYDATASTRUCT& data) {
    if (data.dwData != InjectLineData) return onCopyData_ ? onCopyData_(from, data) : FALSE;
    const char* bytes = static_cast<const char*>(data.lpData);
    std::string line(bytes ? bytes : "", bytes ? data.cbData : 0);
    const auto nul = line.find('\0');
    if (nul != std::string::npos) line.resize(nul);
    if (onLine_) onLine_(line);
    return TRUE;
}

}  // namespace chatsim
