#include <string>
#include <vector>

#include "console/drawing.h"

namespace tamblo {

namespace {

std::optional<std::string> DrawAmongEligible(const Console& console, Chooser& chooser) {
    std::vector<const std::string*> eligible;
    for (const std::string& entrant : console.Entrants())
        if (!console.HasWon(entrant)) eligible.push_back(&entrant);
    if (eligible.empty()) return std::nullopt;
    return *eligible[chooser.Choose(eligible.size())];
}

}  // namespace

void Drawing::PickWinner() {
    BusyFrame busy(console_);
    // One draw among the eligible entrants only: fair, and it always ends.
    const auto winner = DrawAmongEligible(console_, chooser_);
    if (!winner) {
        busy.KeepFocus();
        return;
    }
    console_.AppendWinner(*winner);
    SpeakNonEmptyLines(&ScriptTexts::WinnerText, 0, 5);
    link_.SayToRoom(*winner);
    SpeakNonEmptyLines(&ScriptTexts::WinnerText, 5);
}

}  // namespace tamblo
