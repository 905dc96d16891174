#include "console/program.h"

namespace tamblo {

void Program::StartUp(WindowId consoleWindow) {
    link_.LoadLinkSettings();
    scripts_.LoadScripts();
    link_.KeepOnTop(consoleWindow);
    link_.RegisterWithClient();
}

}  // namespace tamblo
