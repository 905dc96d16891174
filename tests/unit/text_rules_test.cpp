#include "common/text_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;

Lines AllLines(std::string_view text) {
    LineReader reader(text);
    Lines lines;
    for (std::string line; reader.ReadLine(line);) lines.push_back(line);
    return lines;
}

TEST(Strip, RemovesOnlyOuterSpaces) {
    EXPECT_EQ(Strip("  Ann Lee  "), "Ann Lee");
    EXPECT_EQ(Strip("\tAnn\t "), "\tAnn\t");
    EXPECT_EQ(Strip("    "), "");
    EXPECT_EQ(Strip("\r\n x \n"), "\r\n x \n");
}

TEST(LineReader, EndsLinesAtCarriageReturnsOnly) {
    const std::pair<const char*, Lines> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},   {"a\rb\r", {"a", "b"}},         {"a\nb\nc\n", {"a\nb\nc\n"}},
        {"a\r\n\nb", {"a", "\nb"}},   {"last", {"last"}},             {"a\r\n\r\n", {"a", ""}},
        {"\r\r\n", {"", ""}},         {"", {}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(AllLines(text), lines) << text;
}

TEST(LeadingNumber, ReadsSignDigitsAndFractionElseZero) {
    const std::pair<const char*, double> cases[] = {
        {"1", 1},   {"1.0", 1}, {"1 yes", 1}, {"-3", -3},  {"+7x", 7}, {"12.75s", 12.75}, {".5", 0.5},
        {"3.", 3},  {"1e3", 1}, {"0x10", 0},  {"", 0},     {"true", 0}, {" 1", 0},        {"-", 0},
        {"-.x", 0}, {"inf", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
    EXPECT_EQ(LeadingNumber("1" + std::string(400, '0')), HUGE_VAL);  // too large for a double
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0);  // too small
}

}  // namespace
}  // namespace tamblo
