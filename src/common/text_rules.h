// The reading rules every text file and chat text of the program follows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tamblo {

class FileReader;

// Removes leading and trailing spaces (character 32 only; tabs stay).
std::string_view StripView(std::string_view text);
std::string Strip(std::string_view text);

// A line read from a file keeps at most this many bytes and the rest of it is
// skipped, so that reading a file of any size needs bounded memory.
inline constexpr size_t MaxFileLineLength = 64 * 1024;

// Splits text into lines: a line ends at CR, an LF right after the CR is part
// of that line end, a lone LF stays inside the line, and the last line may end
// at the end of the text.
class LineReader {
public:
    // Over text already in memory; lines are never cut.
    explicit LineReader(std::string_view text) : chunk_(text) {}
    // Over a file, one buffer at a time; where a read fails the file ends.
    explicit LineReader(FileReader& file);

    bool AtEnd() { return !HasByte(); }

    // False when no line is left: a read beyond the end fails.
    bool ReadLine(std::string& line);

private:
    bool HasByte();

    FileReader* file_ = nullptr;
    std::string buffer_;
    std::string_view chunk_;
    size_t position_ = 0;
    size_t lineLimit_ = std::string::npos;
};

// The decimal number at the start of a line: optional sign, digits, optional
// fraction. A line that does not start with a number gives 0.
double LeadingNumber(std::string_view line);

}  // namespace tamblo
