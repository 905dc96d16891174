// The hidden window `WA_DDE` that hosts the DDE conversation and shows the
// link field and the Comm record fields.
#pragma once

#include <windows.h>

#include "common/win32/win32_platform.h"
#include "link/dde_conduit.h"

namespace tamblo {

// Registers the window class once; without it the conduits still carry
// their conversations, only without a window to show their fields.
class Win32ConduitWindows : public ConduitWindowFactory {
public:
    Win32ConduitWindows(HINSTANCE instance, Win32Platform& platform);
    std::unique_ptr<ConduitWindow> Create(DdeConduit& conduit) override;

private:
    HINSTANCE instance_;
    Win32Platform& platform_;
    bool registered_ = false;
    // Whether anything yielded since the windows' last tick: a command runs.
    bool yieldedSinceTick_ = false;
};

}  // namespace tamblo
