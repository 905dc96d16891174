#include "common/win32/win32_platform.h"

#include <algorithm>

namespace tamblo {

namespace {

// A yield handles what is waiting; a window that keeps posting to itself
// must not keep the yield from returning.
constexpr int MaxMessagesPerYield = 1000;
constexpr DWORD WaitForInputMs = 25;

std::vector<HWND>& NavigableWindows() {
    static std::vector<HWND> windows;
    return windows;
}

std::vector<std::function<bool(MSG&)>>& MessageFilters() {
    static std::vector<std::function<bool(MSG&)>> filters;
    return filters;
}

std::vector<std::function<void()>>& YieldHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    if (!IsWindowVisible(window)) return TRUE;
    char title[512];
    const int length = GetWindowTextA(window, title, sizeof title);
    reinterpret_cast<std::vector<TopLevelWindow>*>(parameter)->push_back(
        {AsWindowId(window), std::string(title, std::max(length, 0))});
    return TRUE;
}

}  // namespace

void DispatchWindowMessage(MSG& message) {
    for (const auto& filter : MessageFilters())
        if (filter(message)) return;
    // A copy: handling the message may open or close such a window.
    const std::vector<HWND> navigable = NavigableWindows();
    for (HWND window : navigable)
        if (IsDialogMessageA(window, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void AddKeyboardNavigation(HWND window) { NavigableWindows().push_back(window); }

void AddMessageFilter(std::function<bool(MSG&)> filter) { MessageFilters().push_back(std::move(filter)); }

void AddYieldHook(std::function<void()> hook) { YieldHooks().push_back(std::move(hook)); }

void RemoveKeyboardNavigation(HWND window) {
    auto& windows = NavigableWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void Win32Platform::YieldOnce() {
    MSG message;
    for (int i = 0; i < MaxMessagesPerYield && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchWindowMessage(message);
    }
    for (const auto& hook : YieldHooks()) hook();
}

void Win32Platform::WaitForInput() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, WaitForInputMs, QS_ALLINPUT);
}

TimeOfDay Win32Platform::Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return {time.wHour, time.wMinute, time.wSecond};
}

std::vector<TopLevelWindow> Win32Platform::TopLevelWindows() {
    std::vector<TopLevelWindow> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void Win32Platform::Activate(WindowId window) { SetForegroundWindow(AsWindow(window)); }

void Win32Platform::MakeTopmost(WindowId window) {
    SetWindowPos(AsWindow(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32Platform::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    UINT style = MB_OK;
    if (icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
    if (icon == MessageIcon::Warning) style |= MB_ICONWARNING;
    // The box enables its owner again when it closes; a busy console must
    // stay disabled until its command ends.
    const bool ownerWasDisabled = owner_ && !IsWindowEnabled(owner_);
    MessageBoxA(owner_, text.c_str(), title.c_str(), style);
    if (ownerWasDisabled) EnableWindow(owner_, FALSE);
}

}  // namespace tamblo
