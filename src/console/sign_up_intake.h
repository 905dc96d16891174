// Get-Players: takes the sign-ups ("ESP from <name>: $") that stand after the
// last credit line of the fetched chat text into the entrant list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "console/program.h"

namespace tamblo {

inline constexpr const char* FallbackConfirmation = DefaultConfirmText;
inline constexpr int16_t MaxMarkerCount = 32767;

bool IsStartMarker(const std::string& line, const std::string& markerText);
// The stripped name of a sign-up line (a view into it), or nothing for any
// other line.
std::optional<std::string_view> SignUpName(std::string_view line);

// Counts the start-marker lines of the fetched text into MarkerCount.
void CountMarkers(Program& program);

void TakeSignUps(Program& program);

}  // namespace tamblo
