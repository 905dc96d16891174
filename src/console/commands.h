// The host console's commands that only speak, clear or reconnect. Each runs
// inside the busy frame and reads every script text when its line is spoken.
#pragma once

#include "console/console.h"

namespace tamblo {

// Fixed fallbacks for emptied script texts; they belong to the commands.
inline constexpr const char* FallbackRequest = "Please ESP a single $ to me to be put on the List.";
inline constexpr const char* FallbackListHeader = "The following are on the list:";

void SpeakWelcome(Console& console);
void AskForSignUps(Console& console);
void AnnounceClosing(Console& console);
void ReadListOut(Console& console);
void ClearEntrantList(Console& console);
void ClearWinnersList(Console& console);
void Reconnect(Console& console);

}  // namespace tamblo
