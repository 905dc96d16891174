#include "link/pacing.h"

namespace tamblo {

void Pacer::PauseSeconds(int16_t seconds) {
    int count = 0;
    do {
        const TimeOfDay remembered = clock_.Now();
        for (;;) {
            Yields(YieldsPerClockLook);
            if (!(clock_.Now() == remembered)) break;
            pump_.WaitForInput();
        }
        ++count;
    } while (count < seconds);
}

}  // namespace tamblo
