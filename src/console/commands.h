// The host console's commands that only speak, clear or reconnect. Each runs
// inside the busy frame and reads every script text when its line is spoken.
#pragma once

#include "console/program.h"

namespace tamblo {

// Fixed fallbacks for emptied script texts; they belong to the commands and
// are worded as the defaults.
inline constexpr const char* FallbackRequest = DefaultAskForText;
inline constexpr const char* FallbackListHeader = DefaultListHeadText;

// The script lines of a slot from `from` up to `to`, the empty ones skipped,
// each read from the store when it is spoken.
template <size_t Lines>
void SpeakNonEmptyLines(Program& program, const std::array<std::string, Lines> ScriptTexts::*slot,
                        size_t from = 0, size_t to = Lines) {
    for (size_t line = from; line < to; ++line) {
        const std::string text = (program.scripts.Texts().*slot)[line];
        if (!text.empty()) program.link.SayToRoom(text);
    }
}

void SpeakWelcome(Program& program);
void AskForSignUps(Program& program);
void AnnounceClosing(Program& program);
void ReadListOut(Program& program);
void ClearEntrantList(Program& program);
void ClearWinnersList(Program& program);
void Reconnect(Program& program);

}  // namespace tamblo
