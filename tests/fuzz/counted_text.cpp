// The callbacks' length-counted texts: whatever the count says, the decoding
// stays inside the buffer it is handed (ASan watches an exact-size copy).
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "link/library_callbacks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    // The input is the count and the bytes; once with the NUL the library
    // puts after them, once with the buffer ending at the last byte.
    for (const bool withNul : {true, false}) {
        const size_t bytes = size - 4;
        const auto buffer = std::make_unique<char[]>(size + withNul);
        std::memcpy(buffer.get(), data, size);
        if (withNul) buffer[size] = '\0';
        const char* text = buffer.get() + 4;
        const std::string decoded = tamblo::CountedText(text, withNul ? SIZE_MAX : bytes);
        uint32_t count = 0;
        std::memcpy(&count, data, 4);
        const std::string_view given(text, bytes);
        const bool cutByNul = decoded.size() < bytes && given[decoded.size()] == '\0';
        if (decoded.size() > count || given.substr(0, decoded.size()) != decoded) std::abort();
        if (decoded.size() < std::min<size_t>(count, bytes) && !cutByNul) std::abort();
        if (decoded.find('\0') != std::string::npos) std::abort();
    }
    if (!tamblo::CountedText(nullptr).empty()) std::abort();
    return 0;
}
