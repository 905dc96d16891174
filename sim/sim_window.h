// The simulator's window: the room's chat text, and a line to say by hand.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace chatsim {

// Tests find the window by this class; the title comes from the scenario.
constexpr const char* SimWindowClass = "ChatSimRoom";
// WM_COPYDATA with this dwData appends its bytes as one room line.
constexpr ULONG_PTR InjectLineData = 1;

class SimWindow {
public:
    using LineHandler = std::function<void(const std::string& line)>;

    // Created hidden; onLine gets injected and typed lines.
    bool Create(HINSTANCE instance, const std::string& title, LineHandler onLine);
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
    LRESULT CopyData(const COPYDATASTRUCT& data);

    HWND window_ = nullptr;
    HWND room_ = nullptr;
    HWND entry_ = nullptr;
    HWND sayButton_ = nullptr;
    LineHandler onLine_;
};

}  // namespace chatsim
