// getplayers_bench.exe LINES SIGNUPS [ROUNDS]: Get-Players of tamblo.exe
// against the floor its own pacing sets (floor.exe), both against the same
// peer (bench_peer.exe) and the same chat text of short lines. Prints both
// times, their ratio, and whether the program sent the floor's lines.
// Run from the folder that holds the four programs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "console/win32/console_controls.h"

namespace {

namespace ids = tamblo::console_controls;

HANDLE peerReady = nullptr;

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

std::string ReadFile(const std::string& name) {
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
}

// About 20 bytes a line; the sign-ups spread evenly among chat lines.
std::string ChatText(int lines, int signUps) {
    std::string text;
    char line[64];
    for (int i = 0, signedUp = 0; i < lines; ++i) {
        if (signedUp < signUps && static_cast<long long>(i) * signUps >= static_cast<long long>(signedUp) * lines)
            std::snprintf(line, sizeof line, "ESP from P%06d: $\r\n", signedUp++);
        else
            std::snprintf(line, sizeof line, "Av%05d: hello all\r\n", i % 100000);
        text += line;
    }
    return text;
}

PROCESS_INFORMATION Start(std::string commandLine, const char* folder = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &process)) {
        std::printf("cannot start %s\n", commandLine.c_str());
        std::exit(1);
    }
    CloseHandle(process.hThread);
    return process;
}

void Finish(const PROCESS_INFORMATION& process) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
}

PROCESS_INFORMATION StartPeer(const std::string& pokes) {
    ResetEvent(peerReady);
    PROCESS_INFORMATION peer = Start("bench_peer.exe bench-chat.txt " + pokes);
    if (WaitForSingleObject(peerReady, 30000) != WAIT_OBJECT_0) {
        std::printf("the peer did not start\n");
        std::exit(1);
    }
    return peer;
}

void StopPeer(const PROCESS_INFORMATION& peer) {
    PostThreadMessageA(peer.dwThreadId, WM_QUIT, 0, 0);
    Finish(peer);
}

double RunFloor() {
    const PROCESS_INFORMATION peer = StartPeer("bench-floor-pokes.txt");
    Finish(Start("floor.exe bench-floor-time.txt"));
    StopPeer(peer);
    return std::atof(ReadFile("bench-floor-time.txt").c_str());
}

template <typename Condition>
bool WaitFor(Condition condition, double seconds) {
    for (const double end = Now() + seconds; Now() < end; Sleep(2))
        if (condition()) return true;
    return false;
}

// From the click to the console's being enabled again.
double RunProgram() {
    const PROCESS_INFORMATION peer = StartPeer("bench-tamblo-pokes.txt");
    CreateDirectoryA("bench-run", nullptr);
    char path[MAX_PATH];
    GetFullPathNameA("tamblo.exe", MAX_PATH, path, nullptr);
    const PROCESS_INFORMATION program = Start(std::string("\"") + path + "\"", "bench-run");
    HWND console = nullptr;
    WaitFor([&] { return (console = FindWindowA(ids::ClassName, nullptr)) && IsWindowEnabled(console); }, 60);
    Sleep(1500);  // the registration's pause, and the start settles
    const double start = Now();
    PostMessageA(console, WM_COMMAND, ids::GetPlayers, 0);
    WaitFor([&] { return !IsWindowEnabled(console); }, 5);
    WaitFor([&] { return IsWindowEnabled(console); }, 3600);
    const double seconds = Now() - start;
    PostMessageA(console, WM_CLOSE, 0, 0);
    Finish(program);
    StopPeer(peer);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const int lines = std::atoi(argv[1]), signUps = std::atoi(argv[2]);
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 1;
    std::ofstream("bench-chat.txt", std::ios::binary) << ChatText(lines, signUps);
    peerReady = CreateEventA(nullptr, TRUE, FALSE, "tamblo-bench-peer");
    // The machine is shared: the quickest of each is the least disturbed.
    double bestFloor = 1e9, bestProgram = 1e9;
    for (int round = 0; round < rounds; ++round) {
        const double floor = RunFloor();
        const double program = RunProgram();
        bestFloor = std::min(bestFloor, floor);
        bestProgram = std::min(bestProgram, program);
        const std::string sent = ReadFile("bench-tamblo-pokes.txt");
        const bool same = sent == ReadFile("bench-floor-pokes.txt");
        std::printf("%d lines, %d sign-ups: floor %.2f s, Get-Players %.2f s, ratio %.3f; lines sent %s the floor's\n",
                    lines, signUps, floor, program, program / floor, same ? "equal" : "DIFFER from");
        std::fflush(stdout);
    }
    if (rounds > 1)
        std::printf("%d lines, %d sign-ups, best of %d: floor %.2f s, Get-Players %.2f s, ratio %.3f\n", lines,
                    signUps, rounds, bestFloor, bestProgram, bestProgram / bestFloor);
    return 0;
}
