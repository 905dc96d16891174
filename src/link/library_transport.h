// The library transport: the chat client's own library `wadapi`, the three
// callbacks through which it answers, and the boxes those show.
#pragma once

#include <deque>
#include <string>

#include "common/platform.h"
#include "link/api_library.h"
#include "link/link_settings.h"
#include "link/pacing.h"
#include "link/transport.h"

namespace tamblo {

inline constexpr size_t MaxWaitingBoxes = 20;

// Anyone in the chat world can send the program data, many messages at
// once. Each box would open inside the previous one's modal loop until the
// stack ran out, so one is open at a time: the ones that arrive meanwhile
// wait their turn, a bounded number of them, and the rest are counted.
class OneBoxAtATime {
public:
    explicit OneBoxAtATime(MessageBoxes& boxes) : boxes_(boxes) {}
    // Returns once the box, and every box that came while it was open, is
    // closed; at once when another is open.
    void Show(const std::string& text, const std::string& title, MessageIcon icon);

private:
    struct Box {
        std::string text, title;
        MessageIcon icon;
    };
    MessageBoxes& boxes_;
    std::deque<Box> waiting_;
    size_t notShown_ = 0;
    bool open_ = false;
};

class LibraryTransport : public Transport, public LibraryCallbacks {
public:
    // Nothing the library says is heard once `closing` holds.
    LibraryTransport(ApiLibrary& library, MessageBoxes& boxes, const LinkSettings& settings, Pacer& pacer,
                     const bool& closing);

    void Register() override;
    void Unregister() override;
    bool Ready() const override { return ready_; }
    bool CanAddress(const std::string&) const override { return true; }
    void Send(LineMode mode, const std::string& avatarName, const std::string& text) override;
    std::string AskForChatText(bool firstAttempt) override;
    void WhenIdle(std::function<void()> then) override { then(); }

    int32_t ProcessAckData(const std::string& code) override;
    int32_t ProcessReceivedData(const std::string& sender, int32_t count, const std::string& data) override;
    int32_t ProcessAllText(const std::string& text) override;

private:
    ApiLibrary& library_;
    MessageBoxes& warnings_;
    OneBoxAtATime boxes_;
    const LinkSettings& settings_;
    Pacer& pacer_;
    const bool& closing_;
    // False when the library could not be loaded at the last registration.
    bool ready_ = false;
    // The chat text the library delivered last.
    std::string ApiChatText;
};

}  // namespace tamblo
