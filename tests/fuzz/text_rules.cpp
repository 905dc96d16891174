// The text rules against plain references: the line reader (in memory, and
// over a file read in small pieces that may fail), strip and the leading number.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/text_rules.h"
#include "fakes.h"

using namespace tamblo;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(!text.empty());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines.back() += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (i + 1 < text.size()) lines.emplace_back();
    }
    return lines;
}

std::vector<std::string> Read(LineReader&& reader) {
    std::vector<std::string> lines;
    for (std::string line; reader.ReadLine(line);) lines.push_back(line);
    if (!reader.AtEnd()) std::abort();
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = Lines(text);
    if (Read(LineReader(text)) != lines) std::abort();
    for (const std::string& line : lines) {
        std::string stripped = line;
        while (!stripped.empty() && stripped.back() == ' ') stripped.pop_back();
        stripped.erase(0, std::min(stripped.find_first_not_of(' '), stripped.size()));
        if (Strip(line) != stripped) std::abort();
        // strtod over the characters a number can hold reads the same number.
        const std::string number = line.substr(0, line.find_first_not_of("+-.0123456789"));
        if (LeadingNumber(line) != std::strtod(number.c_str(), nullptr)) std::abort();
    }
    // A file gives the lines of the bytes before its failed read, each cut.
    testing::FakeFileSystem files;
    files.readSize = 1 + size % 16;
    files.failReadAfter = size > 0 && data[0] % 2 ? data[size - 1] % size : std::string::npos;
    files.files["f"] = text;
    std::vector<std::string> cut = Lines(text.substr(0, std::min(files.failReadAfter, size)));
    for (std::string& line : cut) line.resize(std::min(line.size(), MaxFileLineLength));
    if (Read(LineReader(*files.OpenForReading("f"))) != cut) std::abort();
    return 0;
}
