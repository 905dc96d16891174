// The fixed pacing by which the link keeps the windows responsive: yields,
// and waits for the clock's second to change.
#pragma once

#include <cstdint>

#include "common/platform.h"

namespace tamblo {

inline constexpr int YieldsBeforeLine = 12;
inline constexpr int YieldsAfterLibraryCall = 24;
inline constexpr int YieldsBeforeFetchAttempt = 12;
inline constexpr int FetchAttempts = 5;
inline constexpr int YieldsPerClockLook = 24;

class Pacer {
public:
    Pacer(WindowPump& pump, Clock& clock) : pump_(pump), clock_(clock) {}

    void Yields(int times) { YieldTimes(pump_, times); }
    // Ends on the n-th change of the clock's second (at least one change).
    void PauseSeconds(int16_t seconds);

private:
    WindowPump& pump_;
    Clock& clock_;
};

}  // namespace tamblo
