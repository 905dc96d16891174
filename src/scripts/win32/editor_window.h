// The script editor's window: the 30 boxes on a panel that the scroll bar
// moves inside a viewport, and the two ways back to the console.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "common/win32/win32_platform.h"
#include "common/win32/window_base.h"
#include "scripts/editor_rules.h"
#include "scripts/script_store.h"
#include "scripts/win32/editor_controls.h"

namespace tamblo {

// Painted with the host's brushes, which outlive every editor.
struct Brushes {
    Brushes();
    ~Brushes();
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;

    HBRUSH cyan, yellow, grey;
};

class ScriptEditor : public WindowBase {
public:
    struct Context {
        ScriptStore& store;
        Win32Platform& platform;
        const Brushes& brushes;
        const std::function<bool()>& closing;
    };
    ScriptEditor(const Context& context, HWND console);

    static bool RegisterClasses(HINSTANCE instance, HBRUSH background);
    bool Create(HINSTANCE instance);
    // A closed one waits for its host to let it go at the next opening.
    bool IsOpen() const { return window_ != nullptr; }
    void BringForward() const;

private:
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    void MakeFonts();
    void DeleteFonts();
    void LayOut();
    void DpiChanged(int dpi, LPARAM suggested);
    void Form_Load();
    void Form_Activate(WORD state, bool minimised);
    void VScroll1_Scroll(WORD code, WORD thumb);
    void VScroll1_Change();
    void FollowThumbWithCaret() const;
    void PressFocusedButton();
    void Command1_Click();
    void Command2_Click();
    void Text_Change(int id);
    void ReturnToConsole();
    LRESULT ColourControl(UINT message, HDC dc, HWND control);
    HWND Box(int index) const { return GetDlgItem(frame1_, editor_controls::BoxId(index)); }

    Context context_;
    HWND console_;
    HWND frame1_ = nullptr;
    HWND vscroll1_ = nullptr;
    HWND lastFocus_ = nullptr;
    int dpi_ = 96;
    int value_ = editor::ScrollMin;
    // Boxes the host changed; the others are saved with the store's text.
    std::array<bool, editor::BoxCount> edited_{};
    bool filling_ = false;
    HFONT windowFont_ = nullptr;
    HFONT headingFont_ = nullptr;
};

}  // namespace tamblo
