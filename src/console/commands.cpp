#include "console/commands.h"

#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {

namespace {

// The store is read afresh for every line: a save in the editor between two
// lines changes the lines not yet spoken.
template <size_t Lines>
void SpeakNonEmptyLines(const std::array<std::string, Lines> ScriptTexts::*slot) {
    for (size_t line = 0; line < Lines; ++line) {
        const std::string text = (ScriptStore().*slot)[line];
        if (!text.empty()) SayToRoom(text);
    }
}

std::string OrFallback(const std::string& text, const char* fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

void SpeakWelcome(Console& console) {
    BusyFrame busy(console);
    SpeakNonEmptyLines(&ScriptTexts::OpeningText);
}

void AskForSignUps(Console& console) {
    BusyFrame busy(console);
    SayToRoom(OrFallback(ScriptStore().AskForText, FallbackRequest));
}

void AnnounceClosing(Console& console) {
    BusyFrame busy(console);
    SpeakNonEmptyLines(&ScriptTexts::CloseText);
}

void ReadListOut(Console& console) {
    BusyFrame busy(console);
    SayToRoom(OrFallback(ScriptStore().ListHeadText, FallbackListHeader));
    const int count = console.EntrantCount();
    for (int row = 0; row < count && row < console.EntrantCount(); ++row) {
        const std::string name = console.Entrant(row);
        SayToRoom(name);
    }
}

void ClearEntrantList(Console& console) {
    BusyFrame busy(console);
    console.ClearEntrants();
    console.SetTotalPeople("0");
}

void ClearWinnersList(Console& console) {
    BusyFrame busy(console);
    console.ClearWinners();
}

void Reconnect(Console& console) {
    BusyFrame busy(console);
    UnregisterFromClient();
    RegisterWithClient();
}

}  // namespace tamblo
