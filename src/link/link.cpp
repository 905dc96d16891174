#include "link/link.h"

#include "link/dde_transport.h"
#include "link/library_transport.h"

namespace tamblo {

ClientLink::ClientLink(const Platform& platform, FileSystem& files, ApiLibrary& library,
                       ConduitWindowFactory& conduitWindows)
    : platform_(platform),
      files_(files),
      library_(library),
      conduitWindows_(conduitWindows),
      pacer_(platform.pump, platform.clock),
      capture_(files, platform.boxes) {}

ClientLink::~ClientLink() = default;

Transport& ClientLink::Chosen() {
    if (!transport_) {
        if (settings.UseApiLibrary)
            transport_ = std::make_unique<LibraryTransport>(library_, platform_.boxes, settings, pacer_, closing_);
        else
            transport_ = std::make_unique<DdeTransport>(conduitWindows_, platform_, settings, pacer_);
    }
    return *transport_;
}

void ClientLink::RegisterWithClient() { Chosen().Register(); }

void ClientLink::UnregisterFromClient() {
    Chosen().Unregister();
    PauseSeconds(1);
}

void ClientLink::SayToRoom(const std::string& text) {
    if (text.empty() || !Usable()) return;
    pacer_.Yields(YieldsBeforeLine);
    Chosen().Send(LineMode::Speak, "", text);
}

void ClientLink::EspToAvatar(const std::string& text) {
    if (text.empty() || EspTarget.empty() || !Usable() || !Chosen().CanAddress(EspTarget)) return;
    pacer_.Yields(YieldsBeforeLine);
    Chosen().Send(LineMode::Esp, EspTarget, text);
}

void ClientLink::FetchChatText() {
    capture_.Forget();
    if (!Usable()) return;
    for (int attempt = 0; attempt < FetchAttempts; ++attempt) {
        pacer_.Yields(YieldsBeforeFetchAttempt);
        capture_.Delete();
        const std::string text = Chosen().AskForChatText(attempt == 0);
        if (!text.empty()) {
            capture_.Store(text);
            return;
        }
    }
}

void ClientLink::Close(std::function<void()> endProgram) {
    if (closing_) return;
    closing_ = true;
    Chosen().WhenIdle([this, endProgram = std::move(endProgram)] {
        UnregisterFromClient();
        endProgram();
    });
}

}  // namespace tamblo
