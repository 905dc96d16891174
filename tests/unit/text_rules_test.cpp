#include "common/text_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace tamblo {
namespace {

std::vector<std::string> AllLines(std::string_view text) {
    LineReader reader(text);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    return lines;
}

TEST(Strip, RemovesOnlyOuterSpaces) {
    EXPECT_EQ(Strip("  Ann Lee  "), "Ann Lee");
    EXPECT_EQ(Strip("\tAnn\t "), "\tAnn\t");
    EXPECT_EQ(Strip("    "), "");
    EXPECT_EQ(Strip(""), "");
    EXPECT_EQ(Strip("\r\n x \n"), "\r\n x \n");
}

TEST(LineReader, EndsLinesAtCarriageReturnsOnly) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(AllLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(AllLines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(AllLines("a\nb\nc\n"), (Lines{"a\nb\nc\n"}));
    EXPECT_EQ(AllLines("a\r\n\nb"), (Lines{"a", "\nb"}));
    EXPECT_EQ(AllLines("last without end"), (Lines{"last without end"}));
    EXPECT_EQ(AllLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(AllLines("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(AllLines(""), Lines{});
}

TEST(LineReader, FailsOnlyBeyondTheEnd) {
    LineReader reader("one\r\n");
    std::string line = "untouched";
    EXPECT_FALSE(reader.AtEnd());
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(line, "one");
}

TEST(LeadingNumber, ReadsSignDigitsAndFraction) {
    EXPECT_EQ(LeadingNumber("1"), 1);
    EXPECT_EQ(LeadingNumber("1.0"), 1);
    EXPECT_EQ(LeadingNumber("1 yes"), 1);
    EXPECT_EQ(LeadingNumber("-3"), -3);
    EXPECT_EQ(LeadingNumber("+7x"), 7);
    EXPECT_EQ(LeadingNumber("2.5"), 2.5);
    EXPECT_EQ(LeadingNumber("12.75s"), 12.75);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("3."), 3);
    EXPECT_EQ(LeadingNumber("1e3"), 1);
    EXPECT_EQ(LeadingNumber("0x10"), 0);
}

TEST(LeadingNumber, IsZeroWithoutANumberAtTheStart) {
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("true"), 0);
    EXPECT_EQ(LeadingNumber(" 1"), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("-.x"), 0);
    EXPECT_EQ(LeadingNumber("inf"), 0);
}

}  // namespace
}  // namespace tamblo
