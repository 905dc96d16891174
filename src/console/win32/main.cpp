// The program's start: the host console is the first window and the last.
#include <windows.h>

#include "common/win32/win32_file_system.h"
#include "console/win32/console_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    static tamblo::Win32FileSystem files;
    tamblo::SetFiles(&files);

    static tamblo::ConsoleWindow console;
    if (!console.Create(instance, showCommand)) return 1;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
