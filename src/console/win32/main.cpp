// The program's start: the host console is the first window and the last.
#include <windows.h>

#include "common/win32/win32_file_system.h"
#include "common/win32/win32_platform.h"
#include "console/win32/console_window.h"
#include "link/link.h"
#include "link/api_library.h"
#include "link/win32/conduit_window.h"
#include "link/win32/wadapi_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    static tamblo::Win32FileSystem files;
    tamblo::SetFiles(&files);
    static tamblo::Win32Platform platform;
    static tamblo::Win32ConduitWindows conduitWindows(instance);
    tamblo::SetConduitWindowFactory(conduitWindows);
    static tamblo::WadapiLibrary library;
    tamblo::SetApiLibrary(&library);

    static tamblo::Console console;
    static tamblo::ConsoleWindow window(console);
    if (!window.Create(instance, showCommand)) return 1;
    platform.SetOwner(window.handle());

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        tamblo::DispatchWindowMessage(message);
    }
    return 0;
}
