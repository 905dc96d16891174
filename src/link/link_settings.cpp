#include "link/link_settings.h"

#include <cmath>

#include "common/file_system.h"
#include "common/text_rules.h"

namespace tamblo {

LinkState& Link() {
    static LinkState state;
    return state;
}

namespace {

bool IsOn(const std::string& line) { return LeadingNumber(line) == 1; }

void ReadSettings(LineReader& reader, LinkState& link) {
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

void LoadLinkSettings() {
    LinkState& link = Link();
    link.ClientWindowTitle = DefaultClientWindowTitle;
    link.ActivateClientWindow = false;
    link.UseApiLibrary = false;
    link.SendPauseSeconds = 0;
    const auto file = Files().OpenForReading(LinkSettingsFileName);
    if (!file) return;
    LineReader reader(*file);
    ReadSettings(reader, link);
}

}  // namespace tamblo
