// The simulator's scenario file: any bytes parse without a fault, and every
// scheduled line waits for a Comm record from 1 on.
#include <cstdlib>
#include <string>

#include "scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto result = chatsim::ParseScenario(std::string(reinterpret_cast<const char*>(data), size));
    for (const auto& [after, lines] : result.scenario.linesAfter)
        if (after < 1 || lines.empty()) std::abort();
    for (const std::string& error : result.errors)
        if (error.rfind("line ", 0) != 0) std::abort();
    return 0;
}
