#include "link/link.h"

#include <algorithm>

#include "link/capture_file.h"
#include "link/library_transport.h"
#include "link/pacing.h"

namespace tamblo {

namespace {

constexpr const char* SpeakMode = "0";
constexpr const char* EspMode = "2";

ConduitWindowFactory* conduitFactory = nullptr;
std::unique_ptr<DdeConduit> conduit;

bool UsesLibrary() { return Link().UseApiLibrary; }

// With the library missing, or the program closing, the senders and the
// fetch do nothing.
bool TransportUsable() { return !Closing() && (!UsesLibrary() || LibraryReady()); }

// A form feed would split the Comm record and let the text rewrite it.
std::string WithoutFormFeeds(std::string text) {
    std::replace(text.begin(), text.end(), '\f', ' ');
    return text;
}

void DdeSend(const std::string& mode, const std::string& avatarName, const std::string& text) {
    Conduit().SetCommFields(mode, avatarName, WithoutFormFeeds(text));
    Conduit().DdeCommunicate();
}

void DdeFetchChatText() {
    for (int attempt = 0; attempt < FetchAttempts; ++attempt) {
        YieldTimes(YieldsBeforeFetchAttempt);
        DeleteCaptureFile();
        Conduit().DdeGetAllText();
        const std::string& answer = Conduit().Fields().Text1;
        if (!answer.empty()) {
            StoreFetchedText(answer);
            return;
        }
    }
}

}  // namespace

std::string& EspTarget() {
    static std::string target;
    return target;
}

void SetConduitWindowFactory(ConduitWindowFactory& factory) { conduitFactory = &factory; }

DdeConduit& Conduit() {
    if (!conduit) conduit = std::make_unique<DdeConduit>(*conduitFactory);
    return *conduit;
}

bool ConduitExists() { return conduit != nullptr; }

void DestroyConduit() { conduit.reset(); }

void RegisterWithClient() {
    if (UsesLibrary()) {
        LibraryRegister();
        return;
    }
    Conduit().DdeRegister();
    PauseSeconds(1);
}

void UnregisterFromClient() {
    if (UsesLibrary()) {
        LibraryUnregister();
    } else {
        Conduit().DdeUnregister();
        PauseSeconds(1);
        DestroyConduit();
    }
    PauseSeconds(1);
}

void SayToRoom(const std::string& text) {
    if (text.empty() || !TransportUsable()) return;
    YieldTimes(YieldsBeforeLine);
    if (UsesLibrary())
        LibraryCommunicate(0, "", text);
    else
        DdeSend(SpeakMode, "", text);
}

void EspToAvatar(const std::string& text) {
    const std::string& target = EspTarget();
    if (text.empty() || target.empty() || !TransportUsable()) return;
    // A form feed in a name taken from the chat would redirect the record.
    if (!UsesLibrary() && target.find('\f') != std::string::npos) return;
    YieldTimes(YieldsBeforeLine);
    if (UsesLibrary())
        LibraryCommunicate(2, target, text);
    else
        DdeSend(EspMode, target, text);
}

void FetchChatText() {
    ForgetFetchedText();
    if (!TransportUsable()) return;
    if (UsesLibrary())
        LibraryFetchChatText();
    else
        DdeFetchChatText();
}

void PauseSeconds(int16_t seconds) {
    int count = 0;
    do {
        const TimeOfDay remembered = TheClock().Now();
        for (;;) {
            YieldTimes(YieldsPerClockLook);
            if (!(TheClock().Now() == remembered)) break;
            Pump().WaitForInput();
        }
        ++count;
    } while (count < seconds);
}

}  // namespace tamblo
