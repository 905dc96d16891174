#include "console/winner_draw.h"

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "console/commands.h"

namespace tamblo {

namespace {

class EntropySeededChooser : public Chooser {
public:
    EntropySeededChooser() {
        std::random_device entropy;
        std::seed_seq seed{entropy(), entropy(), entropy(), entropy(), entropy(), entropy(), entropy(), entropy()};
        generator_.seed(seed);
    }
    size_t Choose(size_t count) override {
        return std::uniform_int_distribution<size_t>(0, count - 1)(generator_);
    }

private:
    std::mt19937_64 generator_;
};

std::optional<std::string> DrawAmongEligible(const Console& console, Chooser& chooser) {
    std::vector<const std::string*> eligible;
    for (const std::string& entrant : console.Entrants())
        if (!console.HasWon(entrant)) eligible.push_back(&entrant);
    if (eligible.empty()) return std::nullopt;
    return *eligible[chooser.Choose(eligible.size())];
}

}  // namespace

// The entropy source of the draw, the one the process has.
Chooser& EntropyChooser() {
    static EntropySeededChooser chooser;
    return chooser;
}

void PickWinner(Program& program, Chooser& chooser) {
    BusyFrame busy(program.console);
    // One draw among the eligible entrants only: fair, and it always ends.
    const auto winner = DrawAmongEligible(program.console, chooser);
    if (!winner) {
        busy.KeepFocus();
        return;
    }
    program.console.AppendWinner(*winner);
    SpeakNonEmptyLines(program, &ScriptTexts::WinnerText, 0, 5);
    program.link.SayToRoom(*winner);
    SpeakNonEmptyLines(program, &ScriptTexts::WinnerText, 5);
}

}  // namespace tamblo
