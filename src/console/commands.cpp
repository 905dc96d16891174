#include "console/commands.h"

namespace tamblo {

namespace {

std::string OrFallback(const std::string& text, const char* fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

void SpeakWelcome(Program& program) {
    BusyFrame busy(program.console);
    SpeakNonEmptyLines(program, &ScriptTexts::OpeningText);
}

void AskForSignUps(Program& program) {
    BusyFrame busy(program.console);
    program.link.SayToRoom(OrFallback(program.scripts.Texts().AskForText, FallbackRequest));
}

void AnnounceClosing(Program& program) {
    BusyFrame busy(program.console);
    SpeakNonEmptyLines(program, &ScriptTexts::CloseText);
}

void ReadListOut(Program& program) {
    Console& console = program.console;
    BusyFrame busy(console);
    program.link.SayToRoom(OrFallback(program.scripts.Texts().ListHeadText, FallbackListHeader));
    const int count = console.EntrantCount();
    for (int row = 0; row < count && row < console.EntrantCount(); ++row) {
        const std::string name = console.Entrant(row);
        program.link.SayToRoom(name);
    }
}

void ClearEntrantList(Program& program) {
    BusyFrame busy(program.console);
    program.console.ClearEntrants();
    program.console.SetTotalPeople("0");
}

void ClearWinnersList(Program& program) {
    BusyFrame busy(program.console);
    program.console.ClearWinners();
}

void Reconnect(Program& program) {
    BusyFrame busy(program.console);
    program.link.UnregisterFromClient();
    program.link.RegisterWithClient();
}

}  // namespace tamblo
