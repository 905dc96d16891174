// The chat-client simulator chatsim.exe as a test peer: start it, read what
// it received, put avatar lines into its room.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "program_under_test.h"

namespace e2e {

class ChatSim {
public:
    // Starts chatsim.exe in the folder, with the folder's scenario.txt if
    // any, and waits until its window shows and its DDE service is up.
    explicit ChatSim(const ScratchFolder& folder, DWORD timeoutMs = 20000);
    // Writes the scenario to scenario.txt first.
    ChatSim(const ScratchFolder& folder, const std::string& scenario, DWORD timeoutMs = 20000);
    // The simulator already running in the folder.
    ChatSim(const ScratchFolder& folder, AttachTo running);
    ~ChatSim();  // closes the window; ends the process if that fails
    ChatSim(const ChatSim&) = delete;
    ChatSim& operator=(const ChatSim&) = delete;

    bool ready() const { return window_ != nullptr; }
    // Why it is not ready, e.g. the simulator's own complaint about the scenario.
    const std::string& failure() const { return failure_; }
    HWND window() const { return window_; }
    const RunningProgram& program() const { return program_; }

    // The log's complete lines, as written (escaped, without line ends).
    std::vector<std::string> Log() const;
    // One avatar line into the room, as from another avatar; returns once it is there.
    bool Inject(const std::string& line) const;
    // Data from another avatar for the program, through the library: the
    // simulator passes it to the library client that registered last, whose
    // ProcessReceivedData gets it. False when no registered client took it.
    bool SendApiData(const std::string& sender, const std::string& data) const;

    // The log's escaping, for expected lines.
    static std::string Escape(const std::string& text);

private:
    void WaitUntilReady(DWORD timeoutMs);
    std::string ReadShared(const std::string& name) const;
    bool CopyData(ULONG_PTR code, const std::string& bytes) const;

    const ScratchFolder& folder_;
    RunningProgram program_;
    HWND window_ = nullptr;
    std::string failure_;
};

}  // namespace e2e
