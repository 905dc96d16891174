// The window system's side of the core's ports.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "common/platform.h"

namespace tamblo {

class Win32Platform : public WindowPump, public Clock, public Desktop, public MessageBoxes {
public:
    Platform Ports() { return {*this, *this, *this, *this}; }

    // The window the message boxes belong to, so that it takes no input meanwhile.
    void SetOwner(HWND owner) { owner_ = owner; }

    // Handles one message, giving keyboard navigation to the registered
    // dialog-like windows first; used by the main loop and by every yield alike.
    void Dispatch(MSG& message);
    void AddKeyboardNavigation(HWND window);
    void RemoveKeyboardNavigation(HWND window);
    // A filter that takes a message before anything else; true: handled.
    void AddMessageFilter(std::function<bool(MSG&)> filter);
    // Runs after every yield, for what must be shown while a command runs.
    void AddYieldHook(std::function<void()> hook);

    void YieldOnce() override;
    void WaitForInput() override;
    TimeOfDay Now() override;
    std::vector<TopLevelWindow> TopLevelWindows() override;
    void Activate(WindowId window) override;
    void MakeTopmost(WindowId window) override;
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override;
    void ShowOwnedBy(HWND owner, const std::string& text, const std::string& title, MessageIcon icon);

private:
    HWND owner_ = nullptr;
    std::vector<HWND> navigable_;
    std::vector<std::function<bool(MSG&)>> filters_;
    std::vector<std::function<void()>> yieldHooks_;
};

inline HWND AsWindow(WindowId id) { return reinterpret_cast<HWND>(id); }
inline WindowId AsWindowId(HWND window) { return reinterpret_cast<WindowId>(window); }

}  // namespace tamblo
