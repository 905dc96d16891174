#include "common/platform.h"

#include <new>

namespace tamblo {

void YieldTimes(WindowPump& pump, int count) {
    for (int i = 0; i < count; ++i) pump.YieldOnce();
}

EntropyChooser::EntropyChooser() {
    std::random_device entropy;
    std::seed_seq seed{entropy(), entropy(), entropy(), entropy(), entropy(), entropy(), entropy(), entropy()};
    generator_.seed(seed);
}

size_t EntropyChooser::Choose(size_t count) {
    return std::uniform_int_distribution<size_t>(0, count - 1)(generator_);
}

void ReportFailure(MessageBoxes& boxes, std::exception_ptr failure) {
    std::string reason = "an unexpected error";
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        reason = "there was not enough memory";
    } catch (const std::exception& error) {
        reason = error.what();
    } catch (...) {
    }
    try {
        boxes.Show("Tamblo could not finish what it was doing: " + reason +
                       ".\n\nThe lists are kept; Tamblo goes on.",
                   "Tamblo", MessageIcon::None);
    } catch (...) {
    }
}

}  // namespace tamblo
