#include "common/platform.h"

#include <cstdlib>

namespace tamblo {

namespace {

Platform current;
bool closing = false;

template <typename Port>
Port& Require(Port* port) {
    if (!port) std::abort();  // a start-up that forgot a port is a programming error
    return *port;
}

}  // namespace

void SetPlatform(const Platform& platform) { current = platform; }
WindowPump& Pump() { return Require(current.pump); }
Clock& TheClock() { return Require(current.clock); }
Desktop& TheDesktop() { return Require(current.desktop); }
MessageBoxes& Boxes() { return Require(current.boxes); }

void SetClosing(bool value) { closing = value; }
bool Closing() { return closing; }

void YieldTimes(int count) {
    for (int i = 0; i < count; ++i) Pump().YieldOnce();
}

}  // namespace tamblo
