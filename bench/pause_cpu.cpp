// Measures the processor time PauseSeconds uses while it waits: run under
// Wine (or Windows), it prints wall and CPU time for PauseSeconds(2).
#include <windows.h>

#include <cstdio>

#include "common/win32/win32_file_system.h"
#include "common/win32/win32_platform.h"
#include "link/link.h"
#include "link/win32/conduit_window.h"
#include "link/win32/wadapi_library.h"

namespace {

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return Seconds(kernel) + Seconds(user);
}

}  // namespace

int main() {
    tamblo::Win32Platform platform;
    tamblo::Win32FileSystem files;
    tamblo::WadapiLibrary library;
    tamblo::Win32ConduitWindows conduitWindows(GetModuleHandleA(nullptr), platform);
    tamblo::ClientLink link({platform.Ports(), files, library, conduitWindows});
    // A window, so that the yields have a queue to look at, as in the program.
    CreateWindowExA(0, "Static", "pause bench", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                    nullptr);
    const DWORD startTicks = GetTickCount();
    const double startCpu = ProcessCpuSeconds();
    link.PauseSeconds(2);
    const double wall = (GetTickCount() - startTicks) / 1000.0;
    const double cpu = ProcessCpuSeconds() - startCpu;
    std::printf("PauseSeconds(2): %.2f s wall, %.3f s CPU, %.1f%% of one core\n", wall, cpu,
                100.0 * cpu / wall);
    return 0;
}
