#include "console/winner_draw.h"

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "link/link.h"
#include "scripts/script_store.h"

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

void SpeakWinnerLines(size_t from, size_t to) {
    for (size_t line = from; line < to; ++line) {
        const std::string text = ScriptStore().WinnerText[line];
        if (!text.empty()) SayToRoom(text);
    }
}

template <typename HasWon>
std::optional<std::string> DrawAmong(const std::vector<std::string>& entrants, HasWon hasWon, Chooser& chooser) {
    std::vector<const std::string*> eligible;
    for (size_t i = 0; i < entrants.size(); ++i)
        if (!hasWon(i)) eligible.push_back(&entrants[i]);
    if (eligible.empty()) return std::nullopt;
    return *eligible[chooser.Choose(eligible.size())];
}

}  // namespace

Chooser& EntropyChooser() {
    static EntropySeededChooser chooser;
    return chooser;
}

void PickWinner(Console& console, Chooser& chooser) {
    BusyFrame busy(console);
    // One draw among the eligible entrants only: fair, and it always ends.
    const auto winner = DrawAmong(
        console.Entrants(), [&](size_t i) { return console.EntrantHasWon(static_cast<int>(i)); }, chooser);
    if (!winner) {
        busy.KeepFocus();
        return;
    }
    console.AppendWinner(*winner);
    SpeakWinnerLines(0, 5);
    SayToRoom(*winner);
    SpeakWinnerLines(5, 7);
}

}  // namespace tamblo
