// The hidden window `WA_DDE` that hosts the DDE conversation and shows the
// link field and the Comm record fields.
#pragma once

#include <windows.h>

#include "common/win32/win32_platform.h"
#include "link/dde_conduit.h"
#include "link/win32/ddeml_conversation.h"

namespace tamblo {

// Registers the window class once; without it the conduits still carry
// their conversations, only without a window to show their fields.
class Win32ConduitWindows : public ConduitWindowFactory {
public:
    Win32ConduitWindows(HINSTANCE instance, Win32Platform& platform);
    std::unique_ptr<ConduitWindow> Create(DdeConduit& conduit) override;

private:
    HINSTANCE instance_;
    bool registered_ = false;
    // Whether anything yielded since the windows' last tick: a command runs.
    bool yieldedSinceTick_ = false;
};

class Win32ConduitWindow : public ConduitWindow {
public:
    // Without a registered class there is no window to show the fields.
    Win32ConduitWindow(HINSTANCE instance, bool classRegistered, bool& yieldedSinceTick, DdeConduit& conduit);
    ~Win32ConduitWindow() override;

    DdeConversation& Conversation() override { return conversation_; }
    void ShowFields(const ConduitFields& fields) override;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void CreateControls();
    void OnButton(int id);
    std::string ControlText(int id) const;
    void SetControlText(int id, const std::string& text);
    void ShowPending();
    void Update();

    DdeConduit& conduit_;
    bool& yieldedSinceTick_;
    DdemlConversation conversation_;
    HWND window_ = nullptr;
    ConduitFields shown_;
    ConduitFields pending_;
    bool anyShown_ = false;
    bool timerSet_ = false;
};

}  // namespace tamblo
