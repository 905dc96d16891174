// The script editor window as the host uses it: opened from the console's
// "Scripts", edited, saved or left.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "chat_sim.h"
#include "common/win32/win32_file_system.h"
#include "console/win32/console_controls.h"
#include "scripts/script_store.h"
#include "scripts/win32/editor_controls.h"
#include "tamblo_app.h"

namespace {

namespace ids = tamblo::editor_controls;
using e2e::TambloApp;
using e2e::WaitUntil;

std::string FileWith(const tamblo::ScriptFileTexts& texts) {
    std::string content;
    for (const std::string& text : texts) content += text + "\r\n";
    return content;
}

tamblo::ScriptFileTexts Defaults() { return tamblo::DefaultScripts().ToFileOrder(); }

using e2e::ClientPixel;
using e2e::FocusOf;

// A keystroke as the keyboard delivers it: the program's own loop turns it
// into a character.
void PressKey(HWND window, WPARAM key) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
}

// One program per test, with the editor opened from the console.
class ScriptEditor : public ::testing::Test {
protected:
    void Start() {
        app = std::make_unique<TambloApp>(folder);
        ASSERT_TRUE(app->started()) << "no console";
    }
    HWND Open() {
        PostMessageA(app->console(), WM_COMMAND, MAKEWPARAM(tamblo::console_controls::Scripter, 0), 0);
        editor = app->process().WaitForWindow(ids::Caption, 10000);
        panel = GetDlgItem(GetDlgItem(editor, ids::Frame2), ids::Frame1);
        return editor;
    }
    HWND Box(int id) const { return GetDlgItem(panel, id); }
    std::string Text(int id) const { return app->ControlText(panel, id); }
    void SetText(int id, const std::string& text) const { app->SetControlText(panel, id, text); }
    void Click(int id) const { app->Click(editor, id); }
    bool WaitForFocus(HWND control) const {
        return WaitUntil([&] { return FocusOf(editor) == control; }, 5000);
    }
    bool WaitClosed() const {
        return WaitUntil([&] { return !IsWindow(editor); }, 10000);
    }
    bool ConsoleInFront() const {
        return WaitUntil([&] { return GetForegroundWindow() == app->console(); }, 5000);
    }
    // Focus into a box as a mouse click would put it there.
    void ClickInto(int id) const {
        PostMessageA(Box(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageA(Box(id), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    POINT PanelOrigin() const {
        RECT rect;
        GetWindowRect(panel, &rect);
        POINT origin{rect.left, rect.top};
        ScreenToClient(GetParent(panel), &origin);
        return origin;
    }
    int ScrollValue() const { return GetScrollPos(GetDlgItem(editor, ids::VScroll1), SB_CTL); }
    int EditorsOpen() const {
        int count = 0;
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == app->process().id() && TambloApp::Title(window) == ids::Caption) ++count;
        }
        return count;
    }
    std::string File() const {
        std::string content;
        return folder.Read(tamblo::ScriptFileName, content) ? content : "(absent)";
    }

    e2e::ScratchFolder folder;
    std::unique_ptr<TambloApp> app;
    HWND editor = nullptr;
    HWND panel = nullptr;
};

TEST_F(ScriptEditor, OpensCentredBelowTheConsoleFilledFromTheStoreAtTheTop) {
    tamblo::ScriptFileTexts texts = Defaults();
    texts[0] = "  first\nline  ";  // a lone line feed stays inside a line of the file
    texts[1] = "not the credit line";
    texts[14] = "Confirmed!";
    folder.Write(tamblo::ScriptFileName, FileWith(texts));
    Start();
    ASSERT_NE(Open(), nullptr);

    char className[64];
    GetClassNameA(editor, className, sizeof className);
    EXPECT_STREQ(className, ids::ClassName);
    RECT outer, client;
    GetWindowRect(editor, &outer);
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, 523);
    EXPECT_EQ(client.bottom, 278);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

    // The topmost console lies above it: the editor is neither owned nor topmost.
    EXPECT_EQ(GetWindow(editor, GW_OWNER), nullptr);
    EXPECT_FALSE(GetWindowLongA(editor, GWL_EXSTYLE) & WS_EX_TOPMOST);
    bool consoleFirst = false;
    for (HWND window = GetTopWindow(nullptr); window && window != editor; window = GetWindow(window, GW_HWNDNEXT))
        consoleFirst = consoleFirst || window == app->console();
    EXPECT_TRUE(consoleFirst);

    EXPECT_EQ(Text(ids::OpeningText(1)), "first line");
    EXPECT_EQ(Text(ids::OpeningText(2)), tamblo::CreditLine);
    EXPECT_FALSE(IsWindowEnabled(Box(ids::OpeningText(2))));
    EXPECT_EQ(Text(ids::OpeningText(3)), texts[2]);
    EXPECT_EQ(Text(ids::ConfirmText), "Confirmed!");
    EXPECT_EQ(Text(ids::WinnerText(7)), "Please ghost for the winner.");

    EXPECT_EQ(ScrollValue(), 360);
    EXPECT_EQ(PanelOrigin().x, -16);
    EXPECT_EQ(PanelOrigin().y, -24);
    EXPECT_TRUE(WaitForFocus(GetDlgItem(editor, ids::VScroll1)));

    // Left of where the centred console lies: cyan window, yellow panel, grey credit box.
    const auto painted = [&](int x, int y, COLORREF colour) {
        return WaitUntil([&] { return ClientPixel(editor, x, y) == colour; }, 3000);
    };
    EXPECT_TRUE(painted(3, 3, RGB(0, 255, 255)));
    EXPECT_TRUE(painted(12, 100, RGB(255, 255, 0)));
    EXPECT_TRUE(painted(60, 8 + (840 - 360) / 15 + 9, RGB(192, 192, 192)));
}

TEST_F(ScriptEditor, TabVisitsTheScrollBarTheBoxesAndTheButtonsAndEnterPressesAButton) {
    Start();
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(WaitForFocus(GetDlgItem(editor, ids::VScroll1)));

    std::vector<int> expected = {ids::OpeningText(1)};
    for (int id = ids::OpeningText(3); id <= ids::LastBox; ++id) expected.push_back(id);
    expected.push_back(ids::Command1);
    expected.push_back(ids::Command2);
    expected.push_back(ids::VScroll1);
    std::vector<int> visited;
    for (size_t i = 0; i < expected.size(); ++i) {
        HWND before = FocusOf(editor);
        PressKey(before, VK_TAB);
        WaitUntil([&] { return FocusOf(editor) != before; }, 3000);
        visited.push_back(GetDlgCtrlID(FocusOf(editor)));
    }
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(PanelOrigin().y, -24) << "a box out of view took the focus and the panel moved";

    // On round to "Do Not Save Changes and Return" and press Enter on it.
    HWND command2 = GetDlgItem(editor, ids::Command2);
    for (int i = 0; i < 40 && FocusOf(editor) != command2; ++i) {
        HWND before = FocusOf(editor);
        PressKey(before, VK_TAB);
        WaitUntil([&] { return FocusOf(editor) != before; }, 3000);
    }
    ASSERT_EQ(FocusOf(editor), command2);
    PressKey(command2, VK_RETURN);
    EXPECT_TRUE(WaitClosed());
    EXPECT_EQ(File(), "(absent)");
}

TEST_F(ScriptEditor, ScrollBarMovesThePanelByStepsAndPagesAndOnlyWhenTheThumbIsReleased) {
    Start();
    ASSERT_NE(Open(), nullptr);
    HWND scrollBar = GetDlgItem(editor, ids::VScroll1);
    const auto scrolledTo = [&](int value) {
        return WaitUntil([&] { return ScrollValue() == value && PanelOrigin().y == -value / 15; }, 5000);
    };

    PressKey(scrollBar, VK_DOWN);
    EXPECT_TRUE(scrolledTo(480));
    PressKey(scrollBar, VK_NEXT);
    EXPECT_TRUE(scrolledTo(1020));
    PressKey(scrollBar, VK_UP);
    EXPECT_TRUE(scrolledTo(900));
    PressKey(scrollBar, VK_PRIOR);
    PressKey(scrollBar, VK_PRIOR);
    EXPECT_TRUE(scrolledTo(360));
    for (int i = 0; i < 11; ++i) PressKey(scrollBar, VK_NEXT);
    EXPECT_TRUE(scrolledTo(5760)) << "the maximum must be reachable";
    EXPECT_EQ(PanelOrigin().x, -16);

    const auto thumb = [&](WORD code, WORD position) {
        PostMessageA(editor, WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(scrollBar));
    };
    thumb(SB_THUMBTRACK, 3000);
    thumb(SB_THUMBTRACK, 2000);
    PressKey(scrollBar, VK_UP);  // a marker: handled after the drags
    EXPECT_TRUE(scrolledTo(5640)) << "the panel followed a dragged thumb";
    thumb(SB_THUMBPOSITION, 3000);
    thumb(SB_ENDSCROLL, 0);
    EXPECT_TRUE(scrolledTo(3000));
}

TEST_F(ScriptEditor, EnterMovesAlongTheCycleAndNoLineBreakEntersABox) {
    Start();
    ASSERT_NE(Open(), nullptr);
    const std::string winnerLine = Text(ids::WinnerText(7));

    struct Move {
        int from, to;
    };
    for (const Move& move : {Move{ids::WinnerText(7), ids::OpeningText(1)}, Move{ids::OpeningText(1), ids::OpeningText(3)},
                             Move{ids::ListHeadText, ids::CloseText(1)}, Move{ids::OpeningText(13), ids::AskForText}}) {
        ClickInto(move.from);
        ASSERT_TRUE(WaitForFocus(Box(move.from))) << move.from;
        PressKey(Box(move.from), VK_RETURN);
        EXPECT_TRUE(WaitForFocus(Box(move.to))) << "Enter in " << move.from << " went to "
                                                << GetDlgCtrlID(FocusOf(editor));
    }
    // A character 13 from elsewhere is Enter too.
    PostMessageA(Box(ids::AskForText), WM_CHAR, '\r', 1);
    EXPECT_TRUE(WaitForFocus(Box(ids::ConfirmText)));
    EXPECT_EQ(Text(ids::WinnerText(7)), winnerLine);
    EXPECT_EQ(PanelOrigin().y, -24) << "moving the focus scrolled the panel";
    EXPECT_EQ(ScrollValue(), 360);

    SetText(ids::CloseText(2), "one\r\ntwo\nthree");
    EXPECT_EQ(Text(ids::CloseText(2)), "one  two three");

    SetText(ids::ConfirmText, "ab");
    PostMessageA(Box(ids::ConfirmText), EM_SETSEL, 1, 1);
    PostMessageA(Box(ids::ConfirmText), WM_CHAR, '\n', 1);
    WaitUntil([&] { return Text(ids::ConfirmText) != "ab"; }, 3000);
    EXPECT_EQ(Text(ids::ConfirmText), "a b");

    // The clipboard needs an owner window for its data to stay.
    HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const char pasted[] = "pasted\r\nover\rtwo lines\n";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    memcpy(GlobalLock(memory), pasted, sizeof pasted);
    GlobalUnlock(memory);
    EXPECT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
    CloseClipboard();
    SendMessageA(Box(ids::WinnerText(3)), EM_SETSEL, 0, -1);
    SendMessageA(Box(ids::WinnerText(3)), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(ids::WinnerText(3)), "pasted  over two lines ");
    // The credit line's box takes no paste.
    SendMessageA(Box(ids::OpeningText(2)), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(ids::OpeningText(2)), tamblo::CreditLine);
    DestroyWindow(owner);
}

TEST_F(ScriptEditor, SaveWritesTheBoxesUntrimmedAndTheReopenedEditorShowsThemStripped) {
    Start();  // no script file yet: the save creates it
    ASSERT_NE(Open(), nullptr);
    SetText(ids::AskForText, "  two spaces  ");
    SetText(ids::ConfirmText, "");
    Click(ids::Command1);
    ASSERT_TRUE(WaitClosed());
    EXPECT_TRUE(ConsoleInFront());

    tamblo::ScriptFileTexts expected = Defaults();
    expected[13] = "  two spaces  ";
    expected[14] = "";
    EXPECT_EQ(File(), FileWith(expected));

    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Text(ids::AskForText), "two spaces");
    EXPECT_EQ(Text(ids::ConfirmText), "");
    EXPECT_EQ(Text(ids::OpeningText(2)), tamblo::CreditLine);
    EXPECT_EQ(ScrollValue(), 360);
}

TEST_F(ScriptEditor, CommandsSpeakTheSavedTextFromThenOn) {
    e2e::ChatSim sim(folder);
    ASSERT_TRUE(sim.ready()) << sim.failure();
    Start();
    ASSERT_NE(Open(), nullptr);
    SetText(ids::AskForText, "  Send me a $ now  ");
    Click(ids::Command1);
    ASSERT_TRUE(WaitClosed());
    ASSERT_TRUE(e2e::RunCommand(app->console(), tamblo::console_controls::AskForESP, true));
    const std::string spoken = "poke\tWorldsApi_Communicate\tWorldsApi_Communicate\t" +
                               e2e::ChatSim::Escape("Tamblo\f0\f\fSend me a $ now");
    EXPECT_TRUE(WaitUntil([&] {
        const auto log = sim.Log();
        return std::find(log.begin(), log.end(), spoken) != log.end();
    }));
}

TEST_F(ScriptEditor, ClosingTheConsoleEndsTheProgramEditorAndEditsIncluded) {
    Start();
    ASSERT_NE(Open(), nullptr);
    SetText(ids::AskForText, "never saved");
    EXPECT_TRUE(app->Close());
    EXPECT_EQ(File(), "(absent)");
}

TEST_F(ScriptEditor, LeavingWithoutSavingKeepsFileAndStoreByteForByte) {
    const std::string original = "odd  \r\nline 2\r\n  three\r\nno end";
    folder.Write(tamblo::ScriptFileName, original);
    Start();
    ASSERT_NE(Open(), nullptr);
    const std::string shown = Text(ids::OpeningText(3));
    SetText(ids::OpeningText(1), "changed");
    SetText(ids::OpeningText(3), "changed too");
    Click(ids::Command2);
    ASSERT_TRUE(WaitClosed());
    EXPECT_TRUE(ConsoleInFront());
    EXPECT_EQ(File(), original);

    // The title bar's close box discards the edits as well.
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Text(ids::OpeningText(1)), "odd");
    EXPECT_EQ(Text(ids::OpeningText(3)), shown);
    SetText(ids::OpeningText(1), "changed again");
    PostMessageA(editor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(File(), original);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Text(ids::OpeningText(1)), "odd");
}

TEST_F(ScriptEditor, ScriptsAgainBringsTheOpenEditorForwardWithItsEdits) {
    Start();
    ASSERT_NE(Open(), nullptr);
    HWND first = editor;
    RECT centred;
    GetWindowRect(first, &centred);
    SetText(ids::ListHeadText, "unsaved edit");
    SetWindowPos(first, nullptr, 5, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindowAsync(first, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(first) != FALSE; }, 5000));

    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(editor, first);
    EXPECT_EQ(EditorsOpen(), 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(editor) && GetForegroundWindow() == editor; }, 5000));
    EXPECT_EQ(Text(ids::ListHeadText), "unsaved edit");

    // A new editor is centred again, whatever place the last one had.
    Click(ids::Command2);
    ASSERT_TRUE(WaitClosed());
    ASSERT_NE(Open(), nullptr);
    RECT again;
    GetWindowRect(editor, &again);
    EXPECT_EQ(again.left, centred.left);
    EXPECT_EQ(again.top, centred.top);
    EXPECT_EQ(Text(ids::ListHeadText), "The following are on the list:");
}

TEST_F(ScriptEditor, AFailedSaveSaysWhyAndKeepsTheEditorTheEditsAndTheOldFile) {
    const std::string original = FileWith(Defaults());
    folder.Write(tamblo::ScriptFileName, original);
    SetFileAttributesA(folder.File(tamblo::ScriptFileName).c_str(), FILE_ATTRIBUTE_READONLY);
    Start();
    ASSERT_NE(Open(), nullptr);
    SetText(ids::AskForText, "  two spaces  ");
    SetText(ids::WinnerText(6), "edited");
    Click(ids::Command1);

    HWND box = app->WaitForMessageBox(10000);
    ASSERT_NE(box, nullptr) << "no message for the failed save";
    EXPECT_EQ(TambloApp::Title(box), "Tamblo");
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor);
    const std::string message = TambloApp::MessageBoxText(box);
    EXPECT_NE(message.find("TAMBLO.TXT"), std::string::npos) << message;
    EXPECT_NE(message.find(tamblo::SystemMessage(ERROR_ACCESS_DENIED)), std::string::npos) << message;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));

    EXPECT_TRUE(IsWindow(editor));
    EXPECT_EQ(Text(ids::AskForText), "  two spaces  ");
    EXPECT_EQ(Text(ids::WinnerText(6)), "edited");
    EXPECT_EQ(File(), original);
    std::string leftOver;
    EXPECT_FALSE(folder.Read(std::string(tamblo::ScriptFileName) + ".saving", leftOver));

    // Once the file can be written, the same edits save.
    SetFileAttributesA(folder.File(tamblo::ScriptFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
    Click(ids::Command1);
    ASSERT_TRUE(WaitClosed());
    tamblo::ScriptFileTexts expected = Defaults();
    expected[13] = "  two spaces  ";
    expected[28] = "edited";
    EXPECT_EQ(File(), FileWith(expected));
}

}  // namespace
