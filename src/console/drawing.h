// The drawing's commands, run by the host from the console. Each runs
// inside the busy frame and reads every script text when its line is spoken.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform.h"
#include "console/console.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {

// Fixed fallbacks for emptied script texts; they belong to the commands and
// are worded as the defaults.
inline constexpr const char* FallbackRequest = DefaultAskForText;
inline constexpr const char* FallbackListHeader = DefaultListHeadText;
inline constexpr const char* FallbackConfirmation = DefaultConfirmText;
inline constexpr int16_t MaxMarkerCount = 32767;

// The stripped name of a sign-up line ("ESP from <name>: $", a view into
// it), or nothing for any other line.
std::optional<std::string_view> SignUpName(std::string_view line);

class Drawing {
public:
    Drawing(const ScriptStore& scripts, ClientLink& link, Console& console, WindowPump& pump, Chooser& chooser)
        : scripts_(scripts), link_(link), console_(console), pump_(pump), chooser_(chooser) {}

    void SpeakWelcome();
    void AskForSignUps();
    // Get-Players: the sign-ups after the last credit line of the chat text.
    void TakeSignUps();
    void AnnounceClosing();
    void ReadListOut();
    // Draws, fairly, one entrant who has not won yet and announces the name.
    void PickWinner();
    void ClearEntrantList();
    void ClearWinnersList();
    void Reconnect();

private:
    // The script lines of a slot from `from` up to `to`, the empty ones
    // skipped, each read from the store when it is spoken.
    template <size_t Lines>
    void SpeakNonEmptyLines(const std::array<std::string, Lines> ScriptTexts::*slot, size_t from = 0,
                            size_t to = Lines);
    // Counts the start-marker lines of the fetched text into MarkerCount.
    void CountMarkers();
    std::string ConfirmationText() const;

    const ScriptStore& scripts_;
    ClientLink& link_;
    Console& console_;
    WindowPump& pump_;
    Chooser& chooser_;
};

template <size_t Lines>
void Drawing::SpeakNonEmptyLines(const std::array<std::string, Lines> ScriptTexts::*slot, size_t from,
                                 size_t to) {
    for (size_t line = from; line < to; ++line) {
        const std::string text = (scripts_.Texts().*slot)[line];
        if (!text.empty()) link_.SayToRoom(text);
    }
}

}  // namespace tamblo
