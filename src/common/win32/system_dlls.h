// For programs started from a download folder, such as Downloads, where any
// DLL can lie.
#pragma once

#include <windows.h>

namespace tamblo {

// System DLLs come from the system folder only: the first thing a program
// does. Looked up at run time, for older systems lack it.
inline void LoadSystemDllsFromSystemFolderOnly() {
    using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDirectories = reinterpret_cast<SetDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace tamblo
