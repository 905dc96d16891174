// Pick a Winner: draws, fairly, one entrant who has not won yet, records the
// name and announces it between the winner lines.
#pragma once

#include <cstddef>

#include "console/program.h"

namespace tamblo {

// Picks a position below count, every one equally likely.
class Chooser {
public:
    virtual ~Chooser() = default;
    virtual size_t Choose(size_t count) = 0;
};

// Seeded from the operating system's entropy source.
Chooser& EntropyChooser();

void PickWinner(Program& program, Chooser& chooser = EntropyChooser());

}  // namespace tamblo
