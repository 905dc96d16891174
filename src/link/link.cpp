#include "link/link.h"

#include <algorithm>

#include "link/pacing.h"

namespace tamblo {

namespace {

constexpr const char* SpeakMode = "0";
constexpr const char* EspMode = "2";

// A form feed would split the Comm record and let the text rewrite it.
std::string WithoutFormFeeds(std::string text) {
    std::replace(text.begin(), text.end(), '\f', ' ');
    return text;
}

}  // namespace

ClientLink::ClientLink(const LinkPorts& ports) : ports_(ports), capture_(ports.files, ports.platform.boxes) {}

ClientLink::~ClientLink() = default;

// With the library missing, or the program closing, the senders and the
// fetch do nothing.
bool ClientLink::TransportUsable() const { return !closing_ && (!UsesLibrary() || libraryReady_); }

DdeConduit& ClientLink::Conduit() {
    std::erase_if(retired_, [](const auto& conduit) { return !conduit->InUse(); });
    if (!conduit_) conduit_ = std::make_unique<DdeConduit>(ports_.conduitWindows, ports_.platform, settings);
    return *conduit_;
}

// Destroying the window closes its conversation; a conduit whose exchange
// is still on the stack is only let go of, and goes when that has ended.
void ClientLink::DestroyConduit() {
    if (!conduit_ || !conduit_->InUse()) {
        conduit_.reset();
        return;
    }
    conduit_->Abandon();
    retired_.push_back(std::move(conduit_));
}

void ClientLink::WhenIdle(std::function<void()> then) {
    if (conduit_ && conduit_->Transferring())
        conduit_->AfterTransfer(std::move(then));
    else
        then();
}

void ClientLink::DdeSend(const std::string& mode, const std::string& avatarName, const std::string& text) {
    DdeConduit& conduit = Conduit();
    conduit.SetCommFields(mode, avatarName, WithoutFormFeeds(text));
    conduit.DdeCommunicate();
}

void ClientLink::DdeFetchChatText() {
    for (int attempt = 0; attempt < FetchAttempts; ++attempt) {
        YieldTimes(ports_.platform.pump, YieldsBeforeFetchAttempt);
        capture_.Delete();
        DdeConduit& conduit = Conduit();
        conduit.DdeGetAllText();
        const std::string& answer = conduit.Fields().Text1;
        if (!answer.empty()) {
            capture_.Store(answer);
            return;
        }
    }
}

void ClientLink::RegisterWithClient() {
    if (UsesLibrary()) {
        LibraryRegister();
        return;
    }
    Conduit().DdeRegister();
    PauseSeconds(1);
}

void ClientLink::UnregisterFromClient() {
    if (UsesLibrary()) {
        LibraryUnregister();
    } else {
        Conduit().DdeUnregister();
        PauseSeconds(1);
        DestroyConduit();
    }
    PauseSeconds(1);
}

void ClientLink::SayToRoom(const std::string& text) {
    if (text.empty() || !TransportUsable()) return;
    YieldTimes(ports_.platform.pump, YieldsBeforeLine);
    if (UsesLibrary())
        LibraryCommunicate(0, "", text);
    else
        DdeSend(SpeakMode, "", text);
}

void ClientLink::EspToAvatar(const std::string& text) {
    if (text.empty() || EspTarget.empty() || !TransportUsable()) return;
    // A form feed in a name taken from the chat would redirect the record.
    if (!UsesLibrary() && EspTarget.find('\f') != std::string::npos) return;
    YieldTimes(ports_.platform.pump, YieldsBeforeLine);
    if (UsesLibrary())
        LibraryCommunicate(2, EspTarget, text);
    else
        DdeSend(EspMode, EspTarget, text);
}

void ClientLink::FetchChatText() {
    capture_.Forget();
    if (!TransportUsable()) return;
    if (UsesLibrary())
        LibraryFetchChatText();
    else
        DdeFetchChatText();
}

void ClientLink::PauseSeconds(int16_t seconds) {
    int count = 0;
    do {
        const TimeOfDay remembered = ports_.platform.clock.Now();
        for (;;) {
            YieldTimes(ports_.platform.pump, YieldsPerClockLook);
            if (!(ports_.platform.clock.Now() == remembered)) break;
            ports_.platform.pump.WaitForInput();
        }
        ++count;
    } while (count < seconds);
}

}  // namespace tamblo
