// The chat-client link as the rest of the program uses it. Each operation
// picks its transport from UseApiLibrary: the library `wadapi` or DDE.
#pragma once

#include <string>

#include "common/platform.h"
#include "link/capture_file.h"
#include "link/dde_conduit.h"
#include "link/link_settings.h"

namespace tamblo {

// The avatar EspToAvatar sends to; the caller sets it before each call.
std::string& EspTarget();

// Where the DDE transport gets its conduit window from; set at start-up.
void SetConduitWindowFactory(ConduitWindowFactory& factory);
// The conduit, created (hidden) when none exists.
DdeConduit& Conduit();
bool ConduitExists();
// Destroys the conduit window, closing its conversation.
void DestroyConduit();

void RegisterWithClient();
void UnregisterFromClient();

void SayToRoom(const std::string& text);
void EspToAvatar(const std::string& text);

// Afterwards the capture file and FetchedChatText() hold the chat text plus
// CR LF, or there is no file and no text.
void FetchChatText();

// Ends on the n-th change of the clock's second (at least one change).
void PauseSeconds(int16_t seconds);

}  // namespace tamblo
