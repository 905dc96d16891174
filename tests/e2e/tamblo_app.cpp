#include "tamblo_app.h"

namespace e2e {

std::string TambloApp::CopiedExe(const ScratchFolder& folder, Library library) {
    const std::string exe = folder.File("tamblo.exe");
    CopyFileA(BesideTests("tamblo.exe").c_str(), exe.c_str(), FALSE);
    if (library == Library::Beside)
        CopyFileA(BesideTests("wadapi.dll").c_str(), folder.File("wadapi.dll").c_str(), FALSE);
    return exe;
}

TambloApp::TambloApp(const ScratchFolder& folder, Library library, bool waitForConsole)
    : program_(CopiedExe(folder, library), folder.path()) {
    if (waitForConsole) WaitForConsole();
}

HWND TambloApp::WaitForConsole() {
    // By class too: a message box may carry the same title.
    if (program_.started() && !console_) console_ = program_.WaitForWindow("Tamblo", 20000, "Tamblo");
    return console_;
}

HWND TambloApp::WaitForMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = program_.FindVisibleWindowOfClass("#32770");
            return box != nullptr;
        },
        timeoutMs);
    return box;
}

std::string TambloApp::MessageBoxText(HWND box) {
    char text[4096];
    // The message box's text sits in its static control 0xFFFF.
    const UINT length = GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return std::string(text, length);
}

std::string TambloApp::Title(HWND window) { return TitleOf(window); }

// Hidden windows too: the conduit is never shown.
HWND TambloApp::ConduitWindow() const {
    return program_.FindWindowWhere([](HWND window) { return TitleOf(window) == "WA DDE COMMUNICATION"; });
}

std::string TambloApp::ControlText(HWND parent, int id) const {
    char text[65536];
    const LRESULT length =
        SendDlgItemMessageA(parent, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<size_t>(length));
}

void TambloApp::SetControlText(HWND parent, int id, const std::string& text) const {
    SendDlgItemMessageA(parent, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TambloApp::Click(HWND parent, int id) const {
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
}

bool TambloApp::IsChecked(HWND parent, int id) const {
    return SendDlgItemMessageA(parent, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool TambloApp::Close() {
    if (console_) PostMessageA(console_, WM_CLOSE, 0, 0);
    return program_.WaitForExit(20000);
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void PostMenuCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void PostClick(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

bool RunCommand(HWND console, int id, bool fromMenu) {
    if (fromMenu)
        PostMenuCommand(console, id);
    else
        PostClick(console, id);
    // Busy first (a quick command may be over before it is seen), then idle.
    WaitUntil([&] { return !IsWindowEnabled(console); }, 2000);
    return WaitUntil([&] { return IsWindowEnabled(console) != FALSE; }, 60000);
}

}  // namespace e2e
