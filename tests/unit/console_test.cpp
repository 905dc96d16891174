// The console's and the link's small rules, table by table; what they do
// on a program with fakes is in the scripted cases (cases/).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "console/console.h"
#include "console/sign_up_intake.h"
#include "console/winner_draw.h"
#include "link/library_callbacks.h"

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;

TEST(EntrantList, KeepsRowsSortedIgnoringCase) {
    Console console;
    for (const char* name : {"Cy", "Ann", "bob", "ann", "Bob", "Zoe", "Al", "Annabel", "Ann Lee", "amy", "BoB"})
        console.InsertEntrant(name);
    EXPECT_EQ(console.Entrants(),
              (Lines{"Al", "amy", "Ann", "ann", "Ann Lee", "Annabel", "BoB", "Bob", "bob", "Cy", "Zoe"}));
    EXPECT_EQ(console.InsertEntrant("Bill"), 6);
}

TEST(WinnerDraw, EntropyChooserGivesEveryPositionInRange) {
    std::vector<int> seen(3);
    for (int i = 0; i < 300; ++i) ++seen.at(EntropyChooser().Choose(seen.size()));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0);
    EXPECT_EQ(EntropyChooser().Choose(1), 0u);
}

TEST(SignUpLines, AreJudgedByTheirExactForm) {
    const std::pair<const char*, std::optional<std::string>> lines[] = {
        {"ESP from Ann: $", "Ann"},     {"ESP from Ann:$", "Ann"},          {"ESP from  Ann Lee  :  $ ", "Ann Lee"},
        {"ESP fromAnn: $", "Ann"},      {"ESP from: $", ""},                {"ESP from Ann:\t$", std::nullopt},
        {"esp from Ann: $", std::nullopt}, {" ESP from Ann: $", std::nullopt}, {"ESP from Ann: $$", std::nullopt},
        {"ESP from Ann: $ please", std::nullopt}, {"ESP from Ann $", std::nullopt},
        {"ESP from A:B: $", std::nullopt}, {"Cy: $", std::nullopt},
    };
    for (const auto& [line, name] : lines) EXPECT_EQ(SignUpName(line), name) << line;
    const std::pair<const char*, bool> markers[] = {
        {"Olvan: Credit line", true},  {"Olvan:Credit line   ", true}, {"Credit line", false},
        {"Olvan: credit line", false}, {"Olvan: x: Credit line", false}};
    for (const auto& [line, isMarker] : markers) EXPECT_EQ(IsStartMarker(line, " Credit line  "), isMarker) << line;
}

TEST(LibraryCallbacks, ResultMessagesAndCountedTexts) {
    for (const char* unknown : {"42", "", " 7", "07", "18", "0 "}) EXPECT_EQ(ResultMessage(unknown), "99 - Unknown error occured");
    EXPECT_EQ(ResultMessage("17"), "17 - You are not logged in yet");
    const char counted[] = "\5\0\0\0hello, more\0 and more";  // the count, then the bytes
    EXPECT_EQ(CountedText(counted + 4), "hello");
    EXPECT_EQ(CountedText(counted + 4, 3), "hel");
    const char withNul[] = "\5\0\0\0he\0lo";  // a NUL is one of the text's bytes
    EXPECT_EQ(CountedText(withNul + 4), std::string("he\0lo", 5));
    EXPECT_EQ(CountedText(nullptr), "");
}

}  // namespace
}  // namespace tamblo
