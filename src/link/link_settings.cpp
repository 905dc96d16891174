#include "link/link_settings.h"

#include <cmath>

#include "common/file_system.h"
#include "common/text_rules.h"

namespace tamblo {

namespace {

bool IsOn(const std::string& line) { return LeadingNumber(line) == 1; }

void ReadSettings(LineReader& reader, LinkSettings& link) {
    std::string line;
    if (!reader.ReadLine(line)) return;
    link.ClientWindowTitle = Strip(line);
    if (!reader.ReadLine(line)) return;
    link.ActivateClientWindow = IsOn(Strip(line));
    if (!reader.ReadLine(line)) return;
    link.UseApiLibrary = IsOn(Strip(line));
    if (!reader.ReadLine(line)) return;
    // Halves go to the even neighbour: the default rounding mode.
    const double pause = std::nearbyint(LeadingNumber(Strip(line)));
    if (pause < INT16_MIN || pause > INT16_MAX) return;
    link.SendPauseSeconds = static_cast<int16_t>(pause);
}

}  // namespace

LinkSettings ReadLinkSettings(FileSystem& files) {
    LinkSettings settings;
    if (const auto file = files.OpenForReading(LinkSettingsFileName)) {
        LineReader reader(*file);
        ReadSettings(reader, settings);
    }
    return settings;
}

}  // namespace tamblo
