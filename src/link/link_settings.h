// The link state shared by every operation of the chat-client link, and the
// settings file that chooses how the link behaves for the whole run.
#pragma once

#include <cstdint>
#include <string>

namespace tamblo {

// The name under which the program registers; heads every library call and
// DDE record.
inline constexpr const char* AppTitle = "Tamblo";
inline constexpr const char* LinkSettingsFileName = "SCONTROL.TXT";
inline constexpr const char* DefaultClientWindowTitle = "VZones 3.0";

struct LinkState {
    std::string ClientWindowTitle = DefaultClientWindowTitle;
    bool ActivateClientWindow = false;
    bool UseApiLibrary = false;
    int16_t SendPauseSeconds = 0;
    std::string ApiChatText;
};

// The process-wide link state.
LinkState& Link();

// Defaults first, then up to four lines of the settings file over them; the
// first failure stops the reading and keeps what was read before it.
void LoadLinkSettings();

}  // namespace tamblo
