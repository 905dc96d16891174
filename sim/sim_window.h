// The simulator's window: the room's chat text, and a line to say by hand.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "api_wire.h"

namespace chatsim {

class SimWindow {
public:
    using LineHandler = std::function<void(const std::string& line)>;
    // Any other WM_COPYDATA: the sender's window (wParam), the data; returns
    // the message's result.
    using CopyDataHandler = std::function<LRESULT(HWND from, const COPYDATASTRUCT& data)>;

    // Created hidden, with the class tests look for (SimWindowClass); onLine
    // gets injected and typed lines.
    bool Create(HINSTANCE instance, const std::string& title, LineHandler onLine, CopyDataHandler onCopyData);
    void Show(int showCommand);
    void SetRoomText(const std::string& text);
    void AppendRoomLine(const std::string& line);
    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void Layout(int width, int height);
    void Say();
    LRESULT CopyData(HWND from, const COPYDATASTRUCT& data);

    HWND window_ = nullptr;
    HWND room_ = nullptr;
    HWND entry_ = nullptr;
    HWND sayButton_ = nullptr;
    LineHandler onLine_;
    CopyDataHandler onCopyData_;
};

}  // namespace chatsim
