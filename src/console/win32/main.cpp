// The program's start: the host console is the first window and the last.
#include <windows.h>

#include "common/win32/win32_file_system.h"
#include "common/win32/win32_platform.h"
#include "console/program.h"
#include "console/win32/console_window.h"
#include "link/win32/conduit_window.h"
#include "link/win32/wadapi_library.h"

namespace {

// The download is unpacked into folders such as Downloads, where any DLL can
// lie: system DLLs come from the system folder only. Looked up at run time,
// for older systems lack it.
void LoadSystemDllsFromSystemFolderOnly() {
    using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDirectories = reinterpret_cast<SetDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    LoadSystemDllsFromSystemFolderOnly();
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
