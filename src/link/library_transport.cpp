// The library transport: the chat client's own library `wadapi`.
#include "link/link.h"
#include "link/pacing.h"

namespace tamblo {

void ClientLink::LibraryRegister() {
    if (const auto failure = ports_.library.Load()) {
        libraryReady_ = false;
        ports_.platform.boxes.Show(*failure + "\n\nTamblo cannot talk to the chat client through it. To use DDE "
                                              "instead, set line 3 of SCONTROL.TXT to 0 and start Tamblo again.",
                                   AppTitle, MessageIcon::Warning);
        return;
    }
    libraryReady_ = true;
    ports_.library.InitDDE(AppTitle, *this);
    ports_.library.DapiRegister(AppTitle);
}

void ClientLink::LibraryUnregister() {
    if (!libraryReady_) return;
    ports_.library.DapiUnregister(AppTitle);
    ports_.library.KillDDE();
}

void ClientLink::LibraryCommunicate(int mode, const std::string& avatarName, const std::string& text) {
    ports_.library.DapiCommunicate(AppTitle, mode, avatarName, text);
    YieldTimes(ports_.platform.pump, YieldsAfterLibraryCall);
    if (settings.SendPauseSeconds > 0) PauseSeconds(settings.SendPauseSeconds);
}

void ClientLink::LibraryFetchChatText() {
    for (int attempt = 0; attempt < FetchAttempts; ++attempt) {
        YieldTimes(ports_.platform.pump, YieldsBeforeFetchAttempt);
        capture_.Delete();
        // Only text delivered once this fetch has asked counts: neither an
        // earlier drawing's text nor an earlier fetch's late answer, which can
        // arrive during the yields above, may stand in for this one's.
        if (attempt == 0) ApiChatText.clear();
        ports_.library.DapiGetAllText(AppTitle);
        YieldTimes(ports_.platform.pump, YieldsAfterLibraryCall);
        if (!ApiChatText.empty()) {
            capture_.Store(ApiChatText);
            return;
        }
    }
}

}  // namespace tamblo
