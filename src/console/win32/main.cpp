// The program's start: the host console is the first window and the last.
#include <windows.h>

#include "common/win32/system_dlls.h"
#include "common/win32/win32_file_system.h"
#include "common/win32/win32_platform.h"
#include "console/program.h"
#include "console/win32/console_window.h"
#include "link/win32/conduit_window.h"
#include "link/win32/wadapi_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    tamblo::LoadSystemDllsFromSystemFolderOnly();
    tamblo::Win32FileSystem files;
    tamblo::Win32Platform platform;
    tamblo::Win32ConduitWindows conduitWindows(instance, platform);
    tamblo::WadapiLibrary library;
    tamblo::EntropyChooser chooser;
    tamblo::Program program({platform.Ports(), files, library, conduitWindows, chooser});
    tamblo::ConsoleWindow window(program, platform, instance);
    if (!window.Create(showCommand)) return 1;
    platform.SetOwner(window.handle());

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) platform.Dispatch(message);
    return 0;
}
