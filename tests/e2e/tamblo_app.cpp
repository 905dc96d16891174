#include "tamblo_app.h"

namespace e2e {

namespace {

std::string CopiedExe(const ScratchFolder& folder) {
    const std::string exe = folder.File("tamblo.exe");
    CopyFileA(BesideTests("tamblo.exe").c_str(), exe.c_str(), FALSE);
    return exe;
}

}  // namespace

TambloApp::TambloApp(const ScratchFolder& folder) : program_(CopiedExe(folder), folder.path()) {}

HWND TambloApp::WaitForConsole() {
    // By class too: a message box may carry the same title.
    if (program_.started() && !console_) console_ = program_.WaitForWindow("Tamblo", 20000, "Tamblo");
    return console_;
}

HWND TambloApp::WaitForMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = program_.FindVisibleWindowOfClass("#32770")) != nullptr; }, timeoutMs);
    return box;
}

std::string TambloApp::MessageBoxText(HWND box) {
    char text[4096];
    // The message box's text sits in its static control 0xFFFF.
    const UINT length = GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return std::string(text, length);
}

// Hidden windows too: the conduit is never shown.
HWND TambloApp::ConduitWindow() const {
    return program_.FindWindowWhere([](HWND window) { return TitleOf(window) == "WA DDE COMMUNICATION"; });
}

std::string TambloApp::ControlText(HWND parent, int id) const {
    static char text[1 << 20];
    const LRESULT length = SendDlgItemMessageA(parent, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<size_t>(length));
}

void TambloApp::SetControlText(HWND parent, int id, const std::string& text) const {
    SendDlgItemMessageA(parent, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TambloApp::Click(HWND parent, int id) const { PostCommand(parent, id); }

bool TambloApp::IsChecked(HWND parent, int id) const {
    return SendDlgItemMessageA(parent, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace e2e
