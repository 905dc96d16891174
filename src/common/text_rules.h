// The reading rules every text file and chat text of the program follows.
#pragma once

#include <string>
#include <string_view>

namespace tamblo {

// Removes leading and trailing spaces (character 32 only; tabs stay).
std::string Strip(std::string_view text);

// Splits text into lines: a line ends at CR, an LF right after the CR is part
// of that line end, a lone LF stays inside the line, and the last line may end
// at the end of the text.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ >= text_.size(); }

    // False when no line is left: a read beyond the end fails.
    bool ReadLine(std::string& line);

private:
    std::string_view text_;
    size_t position_ = 0;
};

// The decimal number at the start of a line: optional sign, digits, optional
// fraction. A line that does not start with a number gives 0.
double LeadingNumber(std::string_view line);

}  // namespace tamblo
