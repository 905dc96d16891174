#include "console/program.h"

namespace tamblo {

void Program::StartUp(WindowId consoleWindow) {
    link.LoadLinkSettings();
    scripts.LoadScripts();
    link.KeepOnTop(consoleWindow);
    link.RegisterWithClient();
}

// Inside a DDE exchange the unregister could not start its own: it follows
// as soon as the exchange has ended. The end comes at once, also from inside
// a running command's yields: nothing is saved and no further event is
// handled.
void Program::Close(const std::function<void()>& endProgram) {
    if (Closing()) return;
    closeRequested_ = true;
    link.WhenIdle([this, endProgram] {
        link.BeginClosing();
        link.UnregisterFromClient();
        endProgram();
    });
}

}  // namespace tamblo
