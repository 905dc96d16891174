#include "console/drawing.h"

namespace tamblo {

namespace {

std::string OrFallback(const std::string& text, const char* fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

void Drawing::SpeakWelcome() {
    BusyFrame busy(console_);
    SpeakNonEmptyLines(&ScriptTexts::OpeningText);
}

void Drawing::AskForSignUps() {
    BusyFrame busy(console_);
    link_.SayToRoom(OrFallback(scripts_.Texts().AskForText, FallbackRequest));
}

void Drawing::AnnounceClosing() {
    BusyFrame busy(console_);
    SpeakNonEmptyLines(&ScriptTexts::CloseText);
}

void Drawing::ReadListOut() {
    BusyFrame busy(console_);
    link_.SayToRoom(OrFallback(scripts_.Texts().ListHeadText, FallbackListHeader));
    const int count = console_.EntrantCount();
    for (int row = 0; row < count && row < console_.EntrantCount(); ++row) {
        const std::string name = console_.Entrant(row);
        link_.SayToRoom(name);
    }
}

void Drawing::ClearEntrantList() {
    BusyFrame busy(console_);
    console_.ClearEntrants();
    console_.SetTotalPeople("0");
}

void Drawing::ClearWinnersList() {
    BusyFrame busy(console_);
    console_.ClearWinners();
}

void Drawing::Reconnect() {
    BusyFrame busy(console_);
    link_.UnregisterFromClient();
    link_.RegisterWithClient();
}

}  // namespace tamblo
