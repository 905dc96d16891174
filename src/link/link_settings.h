// The settings that choose how the link behaves for the whole run, and the
// file they are read from.
#pragma once

#include <cstdint>
#include <string>

#include "common/file_system.h"

namespace tamblo {

// The name under which the program registers; heads every library call and
// DDE record.
inline constexpr const char* AppTitle = "Tamblo";
inline constexpr const char* LinkSettingsFileName = "SCONTROL.TXT";
inline constexpr const char* DefaultClientWindowTitle = "VZones 3.0";

struct LinkSettings {
    std::string ClientWindowTitle = DefaultClientWindowTitle;
    bool ActivateClientWindow = false;
    bool UseApiLibrary = false;
    int16_t SendPauseSeconds = 0;
};

// Defaults first, then up to four lines of the settings file over them; the
// first failure stops the reading and keeps what was read before it.
LinkSettings ReadLinkSettings(FileSystem& files);

}  // namespace tamblo
