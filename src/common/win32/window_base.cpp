#include "common/win32/window_base.h"

#include <utility>

namespace tamblo {

bool WindowBase::RegisterWindowClass(HINSTANCE instance, const char* name, HBRUSH background, HICON icon,
                                     WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = icon;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

bool WindowBase::CreateTopLevel(DWORD exStyle, const char* className, const char* caption, DWORD style, int x,
                                int y, int width, int height, HINSTANCE instance) {
    CreateWindowExA(exStyle, className, caption, style, x, y, width, height, nullptr, nullptr, instance, this);
    return window_ != nullptr;
}

void WindowBase::Destroy() {
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(window_, nullptr));
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    // Unwinding cannot pass the window system's frames. A message whose
    // handling failed counts as handled: the default handling could act on
    // half-done work (a failed WM_CLOSE would destroy the console).
    LRESULT result = 0;
    RunReportingFailure(self->boxes_, [&] { result = self->Route(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace tamblo
