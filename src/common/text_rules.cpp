#include "common/text_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "common/file_system.h"

namespace tamblo {

std::string_view StripView(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Strip(std::string_view text) { return std::string(StripView(text)); }

LineReader::LineReader(FileReader& file)
    : file_(&file), buffer_(16 * 1024, '\0'), lineLimit_(MaxFileLineLength) {}

// Refills the buffer from the file once the current piece is used up.
bool LineReader::HasByte() {
    if (position_ < chunk_.size()) return true;
    if (!file_) return false;
    chunk_ = std::string_view(buffer_.data(), file_->Read(buffer_.data(), buffer_.size()));
    position_ = 0;
    if (chunk_.empty()) file_ = nullptr;  // ended, or failed: either way no more reads
    return !chunk_.empty();
}

bool LineReader::ReadLine(std::string& line) {
    if (AtEnd()) return false;
    line.clear();
    do {
        const size_t end = chunk_.find('\r', position_);
        const size_t stop = end == std::string_view::npos ? chunk_.size() : end;
        if (line.size() < lineLimit_)
            line.append(chunk_.substr(position_, std::min(stop - position_, lineLimit_ - line.size())));
        position_ = stop;
        if (end != std::string_view::npos) {
            ++position_;
            if (HasByte() && chunk_[position_] == '\n') ++position_;
            return true;
        }
    } while (HasByte());
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
    // Out of range is too large only with a digit before the point; a
    // fraction alone can only be too small to tell from zero.
    if (result.ec == std::errc::result_out_of_range)
        value = number.find_first_not_of('0') < wholeDigits ? HUGE_VAL : 0;
    return negative ? -value : value;
}

}  // namespace tamblo
