#include "console/win32/console_window.h"

#include "common/win32/win32_platform.h"
#include "common/win32/window_placement.h"
#include "link/client_window.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {

namespace {

constexpr const char* ConsoleClassName = "Tamblo";
constexpr const char* ConsoleCaption = "Tamblo";
constexpr int ClientWidth = 291;
constexpr int ClientHeight = 248;
constexpr COLORREF IdleColour = RGB(0, 255, 255);

}  // namespace

bool ConsoleWindow::Create(HINSTANCE instance, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = ConsoleClassName;
    if (!RegisterClassA(&windowClass)) return false;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    window_ = CreateWindowExA(0, ConsoleClassName, ConsoleCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              ClientWidth, ClientHeight, nullptr, nullptr, instance, this);
    if (!window_) return false;
    Form_Load();
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    return true;
}

LRESULT CALLBACK ConsoleWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ConsoleWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ConsoleWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->Route(message, wParam, lParam);
}

LRESULT ConsoleWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_CLOSE:
            Form_Unload();
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void ConsoleWindow::Form_Load() {
    SetClientSize(window_, ClientWidth, ClientHeight);
    CentreOnScreen(window_);
    LoadLinkSettings();
    LoadScripts();
    KeepOnTop(AsWindowId(window_));
    RegisterWithClient();
}

void ConsoleWindow::Form_Resize() { KeepOnTop(AsWindowId(window_)); }

void ConsoleWindow::Form_Unload() {
    UnregisterFromClient();
    // Ends at once, also from inside a running command's yields: nothing is
    // saved and no further event is handled.
    ExitProcess(0);
}

void ConsoleWindow::PaintBackground(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    HBRUSH brush = CreateSolidBrush(IdleColour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

}  // namespace tamblo
