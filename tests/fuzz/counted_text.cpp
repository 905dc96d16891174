// The callbacks' length-counted texts: exactly the counted bytes, NULs
// among them, and never a byte past the buffer (ASan watches an exact-size
// copy).
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "link/library_callbacks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    // The input is the count and the bytes, in a buffer that ends at the last byte.
    const size_t bytes = size - 4;
    const auto buffer = std::make_unique<char[]>(size);
    std::memcpy(buffer.get(), data, size);
    const char* text = buffer.get() + 4;
    uint32_t count = 0;
    std::memcpy(&count, data, 4);
    const std::string_view given(text, bytes);
    // Where the buffer's end is known, the text ends there at the latest.
    if (tamblo::CountedText(text, bytes) != given.substr(0, count)) std::abort();
    // Where the buffer holds the counted bytes, exactly those.
    if (count <= bytes && tamblo::CountedText(text) != given.substr(0, count)) std::abort();
    if (!tamblo::CountedText(nullptr).empty()) std::abort();
    return 0;
}
