#include "link/library_transport.h"

#include <cstdlib>

#include "common/platform.h"
#include "link/api_library.h"
#include "link/capture_file.h"
#include "link/link.h"
#include "link/pacing.h"

namespace tamblo {

namespace {

ApiLibrary* library = nullptr;
bool ready = false;

ApiLibrary& Api() {
    if (!library) std::abort();  // a start-up that forgot the library is a programming error
    return *library;
}

}  // namespace

void SetApiLibrary(ApiLibrary* apiLibrary) {
    library = apiLibrary;
    ready = false;
}

bool LibraryReady() { return ready; }

void LibraryRegister() {
    if (const auto failure = Api().Load()) {
        ready = false;
        Boxes().Show(*failure + "\n\nTamblo cannot talk to the chat client through it. To use DDE instead, "
                                "set line 3 of SCONTROL.TXT to 0 and start Tamblo again.",
                     AppTitle, MessageIcon::Warning);
        return;
    }
    ready = true;
    Api().InitDDE(AppTitle);
    Api().DapiRegister(AppTitle);
}

void LibraryUnregister() {
    if (!ready) return;
    Api().DapiUnregister(AppTitle);
    Api().KillDDE();
}

void LibraryCommunicate(int mode, const std::string& avatarName, const std::string& text) {
    Api().DapiCommunicate(AppTitle, mode, avatarName, text);
    YieldTimes(YieldsAfterLibraryCall);
    if (Link().SendPauseSeconds > 0) PauseSeconds(Link().SendPauseSeconds);
}

void LibraryFetchChatText() {
    if (!ready) return;
    for (int attempt = 0; attempt < FetchAttempts; ++attempt) {
        YieldTimes(YieldsBeforeFetchAttempt);
        DeleteCaptureFile();
        // Only text delivered once this fetch has asked counts: neither an
        // earlier drawing's text nor an earlier fetch's late answer, which can
        // arrive during the yields above, may stand in for this one's.
        if (attempt == 0) Link().ApiChatText.clear();
        Api().DapiGetAllText(AppTitle);
        YieldTimes(YieldsAfterLibraryCall);
        if (!Link().ApiChatText.empty()) {
            StoreFetchedText(Link().ApiChatText);
            return;
        }
    }
}

}  // namespace tamblo
