// The chat-client link as the rest of the program uses it, over the
// transport the settings choose: the library `wadapi` or DDE.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/platform.h"
#include "link/api_library.h"
#include "link/capture_file.h"
#include "link/dde_conduit.h"
#include "link/link_settings.h"
#include "link/pacing.h"
#include "link/transport.h"

namespace tamblo {

class ClientLink {
public:
    ClientLink(const Platform& platform, FileSystem& files, ApiLibrary& library,
               ConduitWindowFactory& conduitWindows);
    ~ClientLink();
    ClientLink(const ClientLink&) = delete;
    ClientLink& operator=(const ClientLink&) = delete;

    // The transport is chosen from them at the link's first use.
    LinkSettings settings;
    // The avatar EspToAvatar sends to; the caller sets it before each call.
    std::string EspTarget;

    void LoadLinkSettings() { settings = ReadLinkSettings(files_); }
    void RegisterWithClient();
    void UnregisterFromClient();
    void KeepOnTop(WindowId window) { platform_.desktop.MakeTopmost(window); }

    void SayToRoom(const std::string& text);
    void EspToAvatar(const std::string& text);

    // Afterwards the capture file and FetchedChatText() hold the chat text plus
    // CR LF, or there is no file and no text.
    void FetchChatText();
    const std::optional<std::string>& FetchedChatText() const { return capture_.FetchedText(); }

    void PauseSeconds(int16_t seconds) { pacer_.PauseSeconds(seconds); }

    // From the close on, nothing reaches the chat client but the unregister,
    // which follows once the link is idle (a DDE message waiting for its
    // answer has it), and nothing the library says is heard. A second close
    // changes nothing.
    void Close(std::function<void()> endProgram);
    bool Closing() const { return closing_; }

private:
    Transport& Chosen();
    bool Usable() { return !closing_ && Chosen().Ready(); }

    Platform platform_;
    FileSystem& files_;
    ApiLibrary& library_;
    ConduitWindowFactory& conduitWindows_;
    Pacer pacer_;
    CaptureFile capture_;
    bool closing_ = false;
    std::unique_ptr<Transport> transport_;
};

}  // namespace tamblo
