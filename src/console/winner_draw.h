// Pick a Winner: draws, fairly, one entrant who has not won yet, records the
// name and announces it between the winner lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "console/console.h"

namespace tamblo {

// Picks a position below count, every one equally likely.
class Chooser {
public:
    virtual ~Chooser() = default;
    virtual size_t Choose(size_t count) = 0;
};

// Seeded from the operating system's entropy source.
Chooser& EntropyChooser();

// Among the entrant rows that equal no winners-list row (exact, whole row);
// nothing when no entrant is eligible.
std::optional<std::string> DrawWinner(const std::vector<std::string>& entrants,
                                      const std::vector<std::string>& winners, Chooser& chooser);

void PickWinner(Console& console, Chooser& chooser = EntropyChooser());

}  // namespace tamblo
