// The simulator's window: the room's chat text, a line to say by hand, and
// what a host needs to rehearse: sign-ups by name, a crowd at once, and the
// count of ESPs the program has sent.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "api_wire.h"
#include "common/win32/window_base.h"

namespace chatsim {

class SimWindow : public tamblo::WindowBase {
public:
    SimWindow();

    using LineHandler = std::function<void(const std::string& line)>;
    // Any other WM_COPYDATA: the sender's window (wParam), the data; returns
    // the message's result.
    using CopyDataHandler = std::function<LRESULT(HWND from, const COPYDATASTRUCT& data)>;
    // A crowd's lines, to join the room all at once.
    using LinesHandler = std::function<void(const std::vector<std::string>& lines)>;

    // Created hidden, with the class tests look for (SimWindowClass); onLine
    // gets injected and typed lines.
    bool Create(HINSTANCE instance, const std::string& title, LineHandler onLine, CopyDataHandler onCopyData);
    void Show(int showCommand);
    void SetRoomText(const std::string& text);
    void AppendRoomLine(const std::string& line);
    void OnCrowd(LinesHandler onCrowd) { onCrowd_ = std::move(onCrowd); }
    void SetEspCount(long count);

private:
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate();
    void CreateControls();
    void DpiChanged(int dpi, LPARAM suggested);
    void PlaceBesideConsole();
    int Scaled(int pixelsAt96) const;
    void Layout(int width, int height);
    void Say();
    void SignUpByName();
    void AskForCrowd();
    static INT_PTR CALLBACK CrowdDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CopyData(HWND from, const COPYDATASTRUCT& data);

    int dpi_ = 96;
    HFONT font_ = nullptr;
    HWND room_ = nullptr;
    HWND entry_ = nullptr;
    HWND sayButton_ = nullptr;
    HWND espCount_ = nullptr;
    HWND nameLabel_ = nullptr;
    HWND name_ = nullptr;
    HWND espButton_ = nullptr;
    HWND crowdButton_ = nullptr;
    long shownEspCount_ = -1;
    int nextCrowdNumber_ = 1;
    LineHandler onLine_;
    CopyDataHandler onCopyData_;
    LinesHandler onCrowd_;
};

}  // namespace chatsim
