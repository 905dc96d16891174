// The text rules against plain references: the line reader, strip and the
// leading number.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/text_rules.h"

using namespace tamblo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> expected(1);
    for (size_t i = 0; i < size; ++i) {
        if (text[i] != '\r') {
            expected.back() += text[i];
            continue;
        }
        if (i + 1 < size && text[i + 1] == '\n') ++i;
        if (i + 1 < size) expected.emplace_back();
    }
    if (size == 0) expected.clear();

    LineReader reader(text);
    std::string line;
    for (const std::string& want : expected) {
        if (!reader.ReadLine(line) || line != want) std::abort();
        std::string stripped = line;
        while (!stripped.empty() && stripped.back() == ' ') stripped.pop_back();
        stripped.erase(0, std::min(stripped.find_first_not_of(' '), stripped.size()));
        if (Strip(line) != stripped) std::abort();
        // strtod over the characters a number can hold reads the same number.
        const std::string number = line.substr(0, line.find_first_not_of("+-.0123456789"));
        if (LeadingNumber(line) != std::strtod(number.c_str(), nullptr)) std::abort();
    }
    if (!reader.AtEnd() || reader.ReadLine(line)) std::abort();
    return 0;
}
