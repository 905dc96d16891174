// How the link reaches the chat client: the client's library `wadapi` or its
// DDE service. One is chosen from the settings; the link's pacing, its fetch
// attempts and the capture file are the same for both.
#pragma once

#include <functional>
#include <string>

namespace tamblo {

enum class LineMode { Speak = 0, Esp = 2 };

class Transport {
public:
    virtual ~Transport() = default;

    virtual void Register() = 0;
    virtual void Unregister() = 0;
    // False while nothing can reach the client (a library that did not load).
    virtual bool Ready() const = 0;
    // Whether a line can go to this avatar without changing what it says.
    virtual bool CanAddress(const std::string& avatarName) const = 0;
    // One line, spoken (no avatar) or by ESP; the pacing after it included.
    virtual void Send(LineMode mode, const std::string& avatarName, const std::string& text) = 0;
    // Asks the client once for the room's chat text: "" when none came.
    virtual std::string AskForChatText(bool firstAttempt) = 0;
    // Runs at once, or once the message that waits for its answer has it.
    virtual void WhenIdle(std::function<void()> then) = 0;
};

}  // namespace tamblo
