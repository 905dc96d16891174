// The host console window `Tamblo`: the program's main window. It shows the
// console's state and turns menu commands and clicks into the commands.
#pragma once

#include <windows.h>

#include "common/win32/win32_platform.h"
#include "common/win32/window_base.h"
#include "console/program.h"
#include "scripts/win32/editor_host.h"

namespace tamblo {

class ConsoleWindow : public ConsoleView, public WindowBase {
public:
    ConsoleWindow(Program& program, Win32Platform& platform, HINSTANCE instance);

    // Creates the window hidden, runs the start-up, then shows it.
    bool Create(int showCommand);

    void EntrantInserted(int index, const std::string& name) override;
    void EntrantsCleared() override;
    void WinnerAppended(const std::string& name) override;
    void WinnersCleared() override;
    void TotalPeopleChanged(const std::string& text) override;
    void BusyEntered() override;
    void BusyLeft(bool focusDummy) override;

private:
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id);
    LRESULT ControlColours(HDC dc, HWND control);
    bool MoveFocusByTab(const MSG& message);

    void CreateMenuBar();
    void CreateControls();
    int Scaled(int pixelsAt96) const;
    void DpiChanged(int dpi, LPARAM suggested);

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Scripter_Click();
    void PaintBackground(HDC dc);
    void FocusDummy();
    void ShowBusy(bool busy);
    void RepaintListIfDue();

    Program& program_;
    Console& console_;
    Drawing& commands_;
    Win32Platform& platform_;
    HINSTANCE instance_;
    ScriptEditorHost editor_;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    HBRUSH background_ = nullptr;
    HWND focusBeforeBusy_ = nullptr;
    bool listStale_ = false;
    DWORD listPainted_ = 0;
};

}  // namespace tamblo
