#include "tamblo_app.h"

namespace e2e {

namespace {

struct Search {
    DWORD processId;
    const char* title;
    HWND found;
};

// Hidden windows too: the conduit is never shown.
BOOL CALLBACK MatchAnyWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[256];
    GetWindowTextA(window, title, sizeof title);
    if (owner != search->processId || std::string(title) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

TambloApp::TambloApp(const ScratchFolder& folder)
    : program_(BesideTests("tamblo.exe"), folder.path()) {
    if (program_.started()) console_ = program_.WaitForWindow("Tamblo");
}

HWND TambloApp::ConduitWindow() const {
    Search search{program_.id(), "WA DDE COMMUNICATION", nullptr};
    EnumWindows(MatchAnyWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

}  // namespace e2e
