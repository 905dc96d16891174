#include "link/library_transport.h"

#include <utility>

#include "link/library_callbacks.h"

namespace tamblo {

void OneBoxAtATime::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    if (open_) {
        if (waiting_.size() < MaxWaitingBoxes)
            waiting_.push_back({text, title, icon});
        else
            ++notShown_;
        return;
    }
    open_ = true;
    try {
        boxes_.Show(text, title, icon);
        for (;;) {
            if (!waiting_.empty()) {
                const Box next = std::move(waiting_.front());
                waiting_.pop_front();
                boxes_.Show(next.text, next.title, next.icon);
            } else if (notShown_ > 0) {
                const size_t count = std::exchange(notShown_, 0);
                boxes_.Show(count == 1 ? "1 more message from the chat client was not shown."
                                       : std::to_string(count) + " more messages from the chat client were not shown.",
                            AppTitle, MessageIcon::None);
            } else {
                break;
            }
        }
    } catch (...) {
        open_ = false;
        throw;
    }
    open_ = false;
}

LibraryTransport::LibraryTransport(ApiLibrary& library, MessageBoxes& boxes, const LinkSettings& settings,
                                   Pacer& pacer, const bool& closing)
    : library_(library), warnings_(boxes), boxes_(boxes), settings_(settings), pacer_(pacer), closing_(closing) {}

void LibraryTransport::Register() {
    if (const auto failure = library_.Load()) {
        ready_ = false;
        warnings_.Show(*failure + "\n\nTamblo cannot talk to the chat client through it. To use DDE "
                                  "instead, set line 3 of SCONTROL.TXT to 0 and start Tamblo again.",
                       AppTitle, MessageIcon::Warning);
        return;
    }
    ready_ = true;
    library_.InitDDE(AppTitle, *this);
    library_.DapiRegister(AppTitle);
}

void LibraryTransport::Unregister() {
    if (!ready_) return;
    library_.DapiUnregister(AppTitle);
    library_.KillDDE();
}

void LibraryTransport::Send(LineMode mode, const std::string& avatarName, const std::string& text) {
    library_.DapiCommunicate(AppTitle, static_cast<int>(mode), avatarName, text);
    pacer_.Yields(YieldsAfterLibraryCall);
    if (settings_.SendPauseSeconds > 0) pacer_.PauseSeconds(settings_.SendPauseSeconds);
}

std::string LibraryTransport::AskForChatText(bool firstAttempt) {
    // Only text delivered once this fetch has asked counts: neither an
    // earlier drawing's text nor an earlier fetch's late answer, which can
    // arrive during the yields before the first attempt, may stand in for
    // this one's.
    if (firstAttempt) ApiChatText.clear();
    library_.DapiGetAllText(AppTitle);
    pacer_.Yields(YieldsAfterLibraryCall);
    return ApiChatText;
}

// While the program closes, nothing the library says may open a box or
// feed a fetch.
int32_t LibraryTransport::ProcessAckData(const std::string& code) {
    if (closing_) return 0;
    if (const auto message = ResultMessage(code)) boxes_.Show(*message, AckBoxTitle, MessageIcon::Information);
    return 0;
}

int32_t LibraryTransport::ProcessReceivedData(const std::string& sender, int32_t, const std::string& data) {
    if (closing_) return 0;
    boxes_.Show("Data received from " + sender + ": " + data, AppTitle, MessageIcon::None);
    return 0;
}

int32_t LibraryTransport::ProcessAllText(const std::string& text) {
    if (closing_) return 0;
    ApiChatText = text;
    return 0;
}

}  // namespace tamblo
