#include "common/platform.h"

namespace tamblo {

void YieldTimes(WindowPump& pump, int count) {
    for (int i = 0; i < count; ++i) pump.YieldOnce();
}

}  // namespace tamblo
