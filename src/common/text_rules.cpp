#include "common/text_rules.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace tamblo {

std::string Strip(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool LineReader::ReadLine(std::string& line) {
    if (AtEnd()) return false;
    const size_t end = text_.find('\r', position_);
    if (end == std::string_view::npos) {
        line.assign(text_.substr(position_));
        position_ = text_.size();
        return true;
    }
    line.assign(text_.substr(position_, end - position_));
    position_ = end + 1;
    if (position_ < text_.size() && text_[position_] == '\n') ++position_;
    return true;
}

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

size_t CountDigits(std::string_view text, size_t from) {
    size_t i = from;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i - from;
}

}  // namespace

// Matched by hand and converted with from_chars, so the C library's locale
// (decimal comma) and its extras (hex, exponents, "inf") never change what a
// line means, and the value is correctly rounded.
double LeadingNumber(std::string_view line) {
    size_t i = 0;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    const size_t wholeDigits = CountDigits(line, i);
    std::string number(line.substr(i, wholeDigits));
    i += wholeDigits;
    size_t fractionDigits = 0;
    if (i < line.size() && line[i] == '.') {
        fractionDigits = CountDigits(line, i + 1);
        number += line.substr(i, fractionDigits + 1);
    }
    if (wholeDigits + fractionDigits == 0) return 0;
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) value = HUGE_VAL;
    return negative ? -value : value;
}

}  // namespace tamblo
