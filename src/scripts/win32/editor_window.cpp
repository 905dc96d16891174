#include "scripts/win32/editor_window.h"

#include <string>

#include "common/win32/display_dpi.h"
#include "common/win32/window_placement.h"
#include "scripts/win32/editor_boxes.h"

namespace tamblo {

namespace {

namespace ids = editor_controls;
using namespace editor;

constexpr const char* FrameClassName = "Tamblo2Frame";
constexpr COLORREF Cyan = RGB(0, 255, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF CreditGrey = RGB(192, 192, 192);
// 8.25 and 9.75 points.
constexpr int WindowFontHundredthPoints = 825;
constexpr int HeadingFontHundredthPoints = 975;

// Placed and given its font by the layout, at the window's dpi.
HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int id) {
    return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
}

ScrollAction ActionOf(WORD code) {
    switch (code) {
        case SB_LINEUP: return ScrollAction::LineUp;
        case SB_LINEDOWN: return ScrollAction::LineDown;
        case SB_PAGEUP: return ScrollAction::PageUp;
        case SB_PAGEDOWN: return ScrollAction::PageDown;
        case SB_TOP: return ScrollAction::Top;
        case SB_BOTTOM: return ScrollAction::Bottom;
        case SB_THUMBTRACK: return ScrollAction::ThumbTrack;
        case SB_THUMBPOSITION: return ScrollAction::ThumbPosition;
        default: return ScrollAction::EndScroll;
    }
}

// The message boxes the editor owns, so that it takes no input meanwhile.
class EditorBoxes : public MessageBoxes {
public:
    EditorBoxes(Win32Platform& platform, HWND owner) : platform_(platform), owner_(owner) {}
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override {
        platform_.ShowOwnedBy(owner_, text, title, icon);
    }

private:
    Win32Platform& platform_;
    HWND owner_;
};

void PaintFrame(HWND frame, HDC dc) {
    RECT client;
    GetClientRect(frame, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(GetWindowLongPtrA(frame, GWLP_USERDATA)));
}

// The viewport and the panel: each painted with the brush it holds.
LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            PaintFrame(frame, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_COMMAND:
            // The window colours its controls and hears of their changes, wherever they sit.
            return SendMessageA(GetAncestor(frame, GA_ROOT), message, wParam, lParam);
        default:
            return DefWindowProcA(frame, message, wParam, lParam);
    }
}

}  // namespace

Brushes::Brushes() : cyan(CreateSolidBrush(Cyan)), yellow(CreateSolidBrush(Yellow)), grey(CreateSolidBrush(CreditGrey)) {}

Brushes::~Brushes() {
    for (HBRUSH brush : {cyan, yellow, grey}) DeleteObject(brush);
}

ScriptEditor::ScriptEditor(const Context& context, HWND console)
    : WindowBase(context.platform), context_(context), console_(console) {}

void ScriptEditor::BringForward() const {
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
}

bool ScriptEditor::RegisterClasses(HINSTANCE instance, HBRUSH background) {
    return RegisterWindowClass(instance, ids::ClassName, background, LoadIcon(nullptr, IDI_APPLICATION)) &&
           RegisterWindowClass(instance, FrameClassName, nullptr, nullptr, FrameProc);
}

bool ScriptEditor::Create(HINSTANCE instance) {
    // No owner: an owned window would always lie above the topmost console.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (!CreateTopLevel(WS_EX_CONTROLPARENT, ids::ClassName, ids::Caption, style, 0, 0,
                        ToPixels(ClientWidth, DesignDpi), ToPixels(ClientHeight, DesignDpi), instance))
        return false;
    dpi_ = DpiOf(window_);
    Form_Load();
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(vscroll1_);
    return true;
}

void ScriptEditor::Form_Load() {
    MakeFonts();
    SetClientSize(window_, ToPixels(ClientWidth, dpi_), ToPixels(ClientHeight, dpi_));
    CentreOnScreen(window_);
    CreateControls();
    LayOut();
    const ScriptTexts& store = context_.store.Texts();
    filling_ = true;
    for (int i = 0; i < BoxCount; ++i) SetWindowTextA(Box(i), store.InFileOrder(i).c_str());
    filling_ = false;
    lastFocus_ = vscroll1_;
    context_.platform.AddKeyboardNavigation(window_);
}

// Creation order is the Tab order: the scroll bar, the boxes top to bottom,
// then the two buttons.
void ScriptEditor::CreateControls() {
    vscroll1_ = CreateChild(window_, "SCROLLBAR", "", SBS_VERT | WS_TABSTOP, 0, ids::VScroll1);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, ScrollMin, ScrollMax, 0, value_, 0};
    SetScrollInfo(vscroll1_, SB_CTL, &info, TRUE);

    // The viewport clips the panel; neither scrolls by itself, so a box that
    // takes the focus out of view stays there.
    HWND frame2 = CreateChild(window_, FrameClassName, "", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, ids::Frame2);
    SetWindowLongPtrA(frame2, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context_.brushes.cyan));
    frame1_ = CreateChild(frame2, FrameClassName, "", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, ids::Frame1);
    SetWindowLongPtrA(frame1_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context_.brushes.yellow));

    size_t heading = 0;
    for (int i = 0; i < BoxCount; ++i) {
        while (heading < Headings.size() && Headings[heading].top < BoxTop(i)) {
            CreateChild(frame1_, "STATIC", Headings[heading].caption, SS_CENTER | SS_NOPREFIX, 0,
                        ids::Label1 + static_cast<int>(heading));
            ++heading;
        }
        const DWORD style = ES_AUTOHSCROLL | (i == CreditBox ? WS_DISABLED : WS_TABSTOP);
        HWND box = CreateChild(frame1_, "EDIT", "", style, WS_EX_CLIENTEDGE, ids::BoxId(i));
        SendMessageA(box, EM_LIMITTEXT, 0, 0);  // no length limit
        MakeOneLineBox(box, context_.platform);
    }

    CreateChild(window_, "BUTTON", "Save Changes and Return", BS_PUSHBUTTON | WS_TABSTOP, 0, ids::Command1);
    CreateChild(window_, "BUTTON", "Do Not Save Changes and Return", BS_PUSHBUTTON | WS_TABSTOP, 0, ids::Command2);
}

void ScriptEditor::MakeFonts() {
    windowFont_ = BoldFont(WindowFontHundredthPoints, dpi_);
    headingFont_ = BoldFont(HeadingFontHundredthPoints, dpi_);
}

void ScriptEditor::DeleteFonts() {
    DeleteObject(windowFont_);
    DeleteObject(headingFont_);
}

// The twips layout at the window's dpi, every measure rounded on its own.
void ScriptEditor::LayOut() {
    const auto place = [this](HWND control, const TwipsRect& twips, HFONT font) {
        const LayoutRect at = ToPixelsAt(twips, TwipsPerInch, dpi_);
        SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    place(vscroll1_, VScroll1Rect, nullptr);
    place(GetParent(frame1_), Frame2Rect, nullptr);
    place(frame1_, {PanelLeft, 0, PanelWidth, PanelHeight}, nullptr);
    VScroll1_Change();
    for (size_t i = 0; i < Headings.size(); ++i)
        place(GetDlgItem(frame1_, ids::Label1 + static_cast<int>(i)),
              {ColumnLeft, Headings[i].top, ColumnWidth, HeadingHeight}, headingFont_);
    for (int i = 0; i < BoxCount; ++i) place(Box(i), {ColumnLeft, BoxTop(i), ColumnWidth, BoxHeight}, windowFont_);
    place(GetDlgItem(window_, ids::Command1), Command1Rect, windowFont_);
    place(GetDlgItem(window_, ids::Command2), Command2Rect, windowFont_);
}

// On a monitor of another density: texts, scroll value and focus stay.
void ScriptEditor::DpiChanged(int dpi, LPARAM suggested) {
    dpi_ = dpi;
    TakeSuggestedRect(window_, suggested);
    SetClientSize(window_, ToPixels(ClientWidth, dpi_), ToPixels(ClientHeight, dpi_));
    HFONT previousWindowFont = windowFont_, previousHeadingFont = headingFont_;
    MakeFonts();
    LayOut();
    DeleteObject(previousWindowFont);
    DeleteObject(previousHeadingFont);
}

LRESULT ScriptEditor::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto relayout = [this](int dpi, LPARAM suggested) { DpiChanged(dpi, suggested); };
    if (AnswerDisplayMessage(window_, message, wParam, lParam, relayout)) return 0;
    switch (message) {
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lParam) == vscroll1_) VScroll1_Scroll(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case ids::Command1: Command1_Click(); break;
                case ids::Command2: Command2_Click(); break;
                case IDOK: PressFocusedButton(); break;
                default:
                    if (HIWORD(wParam) == EN_CHANGE) Text_Change(LOWORD(wParam));
                    break;
            }
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return ColourControl(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            Form_Activate(LOWORD(wParam), HIWORD(wParam) != 0);
            return 0;
        case WM_CLOSE:
            // Only Command1 saves: any other way out discards the edits.
            Command2_Click();
            return 0;
        case WM_DESTROY:
            context_.platform.RemoveKeyboardNavigation(window_);
            return 0;
        case WM_NCDESTROY:
            DeleteFonts();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

// Keyboard navigation turns Enter into IDOK; on a button it means a press.
void ScriptEditor::PressFocusedButton() {
    HWND focus = GetFocus();
    if (focus && GetParent(focus) == window_ &&
        (GetDlgCtrlID(focus) == ids::Command1 || GetDlgCtrlID(focus) == ids::Command2))
        SendMessageA(focus, BM_CLICK, 0, 0);
}

// Not a dialog, so the focus has to be carried over a deactivation by hand.
void ScriptEditor::Form_Activate(WORD state, bool minimised) {
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    } else if (!minimised && lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
    }
}

LRESULT ScriptEditor::ColourControl(UINT message, HDC dc, HWND control) {
    const int id = GetParent(control) == frame1_ ? GetDlgCtrlID(control) : 0;
    if (id == ids::BoxId(CreditBox)) {
        SetBkColor(dc, CreditGrey);
        return reinterpret_cast<LRESULT>(context_.brushes.grey);
    }
    if (id >= ids::Label1 && id < ids::Label1 + static_cast<int>(Headings.size())) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return Default(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void ScriptEditor::Text_Change(int id) {
    if (!filling_ && id >= ids::FirstBox && id <= ids::LastBox) edited_[id - ids::FirstBox] = true;
}

// The range fits in the message's 16-bit thumb position.
void ScriptEditor::VScroll1_Scroll(WORD code, WORD thumb) {
    const int value = ScrollValueAfter(value_, ActionOf(code), thumb);
    if (value == value_) return;
    value_ = value;
    SetScrollPos(vscroll1_, SB_CTL, value_, TRUE);
    FollowThumbWithCaret();
    VScroll1_Change();
}

// Wine marks a focused scroll bar with a blinking caret over its thumb, made
// when the focus arrives and left there when the thumb moves.
void ScriptEditor::FollowThumbWithCaret() const {
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    if (GetFocus() != vscroll1_ || !GetScrollBarInfo(vscroll1_, OBJID_CLIENT, &info)) return;
    SetCaretPos(1, info.xyThumbTop + 1);
}

void ScriptEditor::VScroll1_Change() {
    SetWindowPos(frame1_, nullptr, ToPixels(PanelLeft, dpi_), PanelTopPixels(value_, dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScriptEditor::Command1_Click() {
    if (context_.closing()) return;
    Edits edits;
    for (int i = 0; i < BoxCount; ++i)
        if (edited_[i]) edits[i] = WindowText(Box(i));
    EditorBoxes boxes(context_.platform, window_);
    // A failed save keeps the edits in the boxes.
    if (SaveEdits(context_.store, edits, boxes)) ReturnToConsole();
}

void ScriptEditor::Command2_Click() { ReturnToConsole(); }

void ScriptEditor::ReturnToConsole() {
    HWND console = console_;
    // The console first: under Wine a focused window's end may hand the
    // focus to the desktop after the console had taken it.
    if (console && IsWindow(console)) {
        ShowWindow(console, IsIconic(console) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(console);
    }
    DestroyWindow(window_);
}

}  // namespace tamblo
