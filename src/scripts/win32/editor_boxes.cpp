#include "scripts/win32/editor_boxes.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "scripts/editor_rules.h"
#include "scripts/win32/editor_controls.h"

namespace tamblo {

namespace {

namespace ids = editor_controls;

std::optional<std::string> ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return std::nullopt;
    // Closed, and the block unlocked, also when copying a huge text fails.
    struct Closer {
        ~Closer() { CloseClipboard(); }
    } closer;
    std::string text;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* locked = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
        struct Unlocker {
            HANDLE data;
            ~Unlocker() { GlobalUnlock(data); }
        } unlocker{data};
        text = editor::PastedText({locked, GlobalSize(data)});
    }
    return text;
}

// The control would cut a pasted text at its first line break.
void Paste(HWND box) {
    if (!IsWindowEnabled(box) || (GetWindowLongA(box, GWL_STYLE) & ES_READONLY)) return;
    if (const std::optional<std::string> text = ClipboardText(box))
        SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
}

// Enter must reach the box rather than be taken as the default button.
LRESULT DialogCode(HWND box, WPARAM wParam, LPARAM lParam) {
    LRESULT code = DefSubclassProc(box, WM_GETDLGCODE, wParam, lParam);
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) && key->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
    return code;
}

void Text_KeyPress(HWND box) {
    const int index = GetDlgCtrlID(box) - ids::FirstBox;
    SetFocus(GetDlgItem(GetParent(box), ids::BoxId(editor::NextInEnterCycle(index))));
}

// A text arrives in the window's character set: the common controls of the
// sixth version make Unicode windows.
template <typename Char>
LRESULT SetOneLine(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::basic_string<Char> line = editor::WithoutLineBreaks(reinterpret_cast<const Char*>(lParam));
    return DefSubclassProc(box, message, wParam, reinterpret_cast<LPARAM>(line.c_str()));
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

LRESULT Route(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DialogCode(box, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) return 0;  // its character moves the focus
            break;
        case WM_CHAR:
            if (wParam == '\r') {
                Text_KeyPress(box);
                return 0;
            }
            if (wParam == '\n') wParam = ' ';
            break;
        case WM_SETTEXT:
        case EM_REPLACESEL:
            if (!lParam) break;
            return IsWindowUnicode(box) ? SetOneLine<wchar_t>(box, message, wParam, lParam)
                                        : SetOneLine<char>(box, message, wParam, lParam);
        case WM_PASTE:
            Paste(box);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(box, BoxProc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR boxes) {
    LRESULT result = 0;
    RunReportingFailure(*reinterpret_cast<MessageBoxes*>(boxes),
                        [&] { result = Route(box, message, wParam, lParam); });
    return result;
}

}  // namespace

void MakeOneLineBox(HWND box, MessageBoxes& boxes) {
    SetWindowSubclass(box, BoxProc, 0, reinterpret_cast<DWORD_PTR>(&boxes));
}

}  // namespace tamblo
