// Our windows behind the system's window procedure: each object hears its
// window's messages in Route, from WM_NCCREATE to WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <string>

#include "common/platform.h"

namespace tamblo {

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND handle() const { return window_; }

    // A class whose windows are such objects, or, given a procedure, its windows.
    static bool RegisterWindowClass(HINSTANCE instance, const char* name, HBRUSH background, HICON icon,
                                    WNDPROC procedure = Procedure);

protected:
    // What a message's handling throws is told in one of `boxes`.
    explicit WindowBase(MessageBoxes& boxes) : boxes_(boxes) {}
    virtual ~WindowBase() { Destroy(); }

    // A top-level window of a registered class; false when none was made.
    bool CreateTopLevel(DWORD exStyle, const char* className, const char* caption, DWORD style, int x, int y,
                        int width, int height, HINSTANCE instance);
    // Its last messages no longer reach the object.
    void Destroy();

    virtual LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const {
        return DefWindowProcA(window_, message, wParam, lParam);
    }

    HWND window_ = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    MessageBoxes& boxes_;
};

std::string WindowText(HWND window);

}  // namespace tamblo
