// The chat-client link as the rest of the program uses it. Each operation
// picks its transport from UseApiLibrary: the library `wadapi` or DDE.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/platform.h"
#include "link/api_library.h"
#include "link/capture_file.h"
#include "link/dde_conduit.h"
#include "link/link_settings.h"

namespace tamblo {

// What the link is given to work with.
struct LinkPorts {
    Platform platform;
    FileSystem& files;
    ApiLibrary& library;
    ConduitWindowFactory& conduitWindows;
};

class ClientLink : public LibraryCallbacks {
public:
    explicit ClientLink(const LinkPorts& ports);
    ~ClientLink();
    ClientLink(const ClientLink&) = delete;
    ClientLink& operator=(const ClientLink&) = delete;

    LinkSettings settings;
    // The avatar EspToAvatar sends to; the caller sets it before each call.
    std::string EspTarget;
    // The chat text the library delivered last.
    std::string ApiChatText;

    void LoadLinkSettings() { settings = ReadLinkSettings(ports_.files); }
    void RegisterWithClient();
    void UnregisterFromClient();
    void KeepOnTop(WindowId window) { ports_.platform.desktop.MakeTopmost(window); }

    void SayToRoom(const std::string& text);
    void EspToAvatar(const std::string& text);

    // Afterwards the capture file and FetchedChatText() hold the chat text plus
    // CR LF, or there is no file and no text.
    void FetchChatText();
    const std::optional<std::string>& FetchedChatText() const { return capture_.FetchedText(); }

    // Ends on the n-th change of the clock's second (at least one change).
    void PauseSeconds(int16_t seconds);

    // The conduit, created (hidden) when none exists.
    DdeConduit& Conduit();
    bool ConduitExists() const { return conduit_ != nullptr; }

    // Once closing, nothing reaches the chat client but the unregister, and
    // nothing the library says is heard.
    void BeginClosing() { closing_ = true; }
    bool Closing() const { return closing_; }
    // Runs at once, or once the DDE message that waits for its answer has it:
    // a second DDE message cannot start before.
    void WhenIdle(std::function<void()> then);

    int32_t ProcessAckData(const std::string& code) override;
    int32_t ProcessReceivedData(const std::string& sender, int32_t count, const std::string& data) override;
    int32_t ProcessAllText(const std::string& text) override;

private:
    bool UsesLibrary() const { return settings.UseApiLibrary; }
    bool TransportUsable() const;
    void DestroyConduit();
    void DdeSend(const std::string& mode, const std::string& avatarName, const std::string& text);
    void DdeFetchChatText();

    void LibraryRegister();
    void LibraryUnregister();
    void LibraryCommunicate(int mode, const std::string& avatarName, const std::string& text);
    void LibraryFetchChatText();

    LinkPorts ports_;
    CaptureFile capture_;
    bool closing_ = false;
    // False when the library could not be loaded at the last registration:
    // the senders and the fetch then do nothing.
    bool libraryReady_ = false;
    std::unique_ptr<DdeConduit> conduit_;
    // Conduits let go of while an exchange of theirs was running; each goes
    // once that has ended.
    std::vector<std::unique_ptr<DdeConduit>> retired_;
};

}  // namespace tamblo
