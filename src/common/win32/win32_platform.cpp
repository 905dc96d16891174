#include "common/win32/win32_platform.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace tamblo {

namespace {

// A yield handles what is waiting; a window that keeps posting to itself
// must not keep the yield from returning.
constexpr int MaxMessagesPerYield = 1000;
constexpr DWORD WaitForInputMs = 25;

struct Collection {
    std::vector<TopLevelWindow> windows;
    // Unwinding cannot pass the system's frames: a failure is thrown again
    // once the enumeration has returned.
    std::exception_ptr failure;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto& collection = *reinterpret_cast<Collection*>(parameter);
    if (!IsWindowVisible(window)) return TRUE;
    char title[512];
    const int length = GetWindowTextA(window, title, sizeof title);
    try {
        collection.windows.push_back({AsWindowId(window), std::string(title, std::max(length, 0))});
    } catch (...) {
        collection.failure = std::current_exception();
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void Win32Platform::Dispatch(MSG& message) {
    for (const auto& filter : filters_)
        if (filter(message)) return;
    // A copy: handling the message may open or close such a window.
    const std::vector<HWND> navigable = navigable_;
    for (HWND window : navigable)
        if (IsDialogMessageA(window, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Win32Platform::AddKeyboardNavigation(HWND window) { navigable_.push_back(window); }

void Win32Platform::RemoveKeyboardNavigation(HWND window) { std::erase(navigable_, window); }

void Win32Platform::AddMessageFilter(std::function<bool(MSG&)> filter) { filters_.push_back(std::move(filter)); }

void Win32Platform::AddYieldHook(std::function<void()> hook) { yieldHooks_.push_back(std::move(hook)); }

void Win32Platform::YieldOnce() {
    MSG message;
    for (int i = 0; i < MaxMessagesPerYield && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
    for (const auto& hook : yieldHooks_) hook();
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
    Collection collection;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collection));
    if (collection.failure) std::rethrow_exception(collection.failure);
    return std::move(collection.windows);
}

void Win32Platform::Activate(WindowId window) { SetForegroundWindow(AsWindow(window)); }

void Win32Platform::MakeTopmost(WindowId window) {
    SetWindowPos(AsWindow(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32Platform::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    ShowOwnedBy(owner_, text, title, icon);
}

void Win32Platform::ShowOwnedBy(HWND owner, const std::string& text, const std::string& title, MessageIcon icon) {
    UINT style = MB_OK;
    if (icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
    if (icon == MessageIcon::Warning) style |= MB_ICONWARNING;
    // The box enables its owner again when it closes; a busy console must
    // stay disabled until its command ends.
    const bool ownerWasDisabled = owner && !IsWindowEnabled(owner);
    MessageBoxA(owner, text.c_str(), title.c_str(), style);
    if (ownerWasDisabled) EnableWindow(owner, FALSE);
}

}  // namespace tamblo
