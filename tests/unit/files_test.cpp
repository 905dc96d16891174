// The text rules and the files read by them, the link settings and the
// scripts; the script editor's layout. Saving the scripts is in the scripted
// cases (cases/scripts.case).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <tuple>

#include <unistd.h>

#include "common/text_rules.h"
#include "fake_file_system.h"
#include "link/link_settings.h"
#include "scripts/editor_rules.h"
#include "scripts/script_store.h"

namespace tamblo {
namespace {

using namespace editor;

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

// The settings file: title, activate switch, library switch, send pause.
using Settings = std::tuple<std::string, bool, bool, int>;

class LinkSettingsTest : public ::testing::Test {
protected:
    // What loading the file gives over a left-over state.
    Settings Loaded(const std::optional<std::string>& content, size_t failAt = std::string::npos) {
        files.files.clear();
        if (content) files.files[LinkSettingsFileName] = *content;
        files.failReadAfter = failAt;
        const LinkSettings read = ReadLinkSettings(files);
        return {read.ClientWindowTitle, read.ActivateClientWindow, read.UseApiLibrary, read.SendPauseSeconds};
    }
    testing::FakeFileSystem files;
};

TEST_F(LinkSettingsTest, FourLinesOverTheDefaultsUpToAFailedRead) {
    EXPECT_EQ(Loaded(std::nullopt), Settings("VZones 3.0", false, false, 0)) << "no file";
    EXPECT_EQ(Loaded("  Worlds Chat  \r\n 1 \r\n1.0\r\n  3\r\nfifth line\r\n"), Settings("Worlds Chat", true, true, 3));
    EXPECT_EQ(Loaded("Only a title"), Settings("Only a title", false, false, 0));
    EXPECT_EQ(Loaded("\r\n1\r\n"), Settings("", true, false, 0));
    EXPECT_EQ(Loaded("t\r\n+1 yes\r\n1.5\r\n"), Settings("t", true, false, 0)) << "a switch is on for the number 1";
    EXPECT_EQ(Loaded(" My Client\n1\n1\n5\n "), Settings("My Client\n1\n1\n5\n", false, false, 0));
    EXPECT_EQ(Loaded("Client\r1\r0\r2"), Settings("Client", true, false, 2)) << "a carriage return alone ends a line";
    // The rest of a line too long to hold is skipped, not read as lines.
    const std::string longTitle(MaxFileLineLength + 10, 'x');
    EXPECT_EQ(Loaded(longTitle + "\r\n1\r\n"), Settings(longTitle.substr(0, MaxFileLineLength), true, false, 0));
    // A failed read ends the file; what came of a line it cuts is that line's text.
    EXPECT_EQ(Loaded("Client\r\n1\r\n1 7\r\n", 0), Settings("VZones 3.0", false, false, 0));
    EXPECT_EQ(Loaded("Client\r\n1\r\n1 7\r\n", 11), Settings("Client", true, false, 0));
    EXPECT_EQ(Loaded("Client\r\n1\r\n1 7\r\n", 13), Settings("Client", true, true, 0));
}

TEST_F(LinkSettingsTest, PauseRoundsHalvesToEvenAndOutsideSixteenBitsStaysZero) {
    const std::pair<const char*, int> cases[] = {
        {"2.5", 2},        {"3.5", 4},          {"-2.5", -2},      {"2.6", 3},     {"-3", -3},
        {"seconds", 0},    {"-32768", -32768},  {"32767.4", 32767}, {"-32768.5", -32768},
        {"40000", 0},      {"32767.5", 0},      {"-32769", 0},     {"-32768.6", 0}, {"99999999999999999999999", 0}};
    for (const auto& [line, seconds] : cases)
        EXPECT_EQ(Loaded(std::string("C\r\n1\r\n1\r\n") + line), Settings("C", true, true, seconds)) << line;
}

std::string Numbered(int from, int to, const std::string& prefix = "text ") {
    std::string content;
    for (int i = from; i <= to; ++i) content += prefix + std::to_string(i) + "\r\n";
    return content;
}

// Defaults, with count texts from the start read as "text first", "text first+1", ...
ScriptFileTexts Read(int count, int first = 1, ScriptFileTexts texts = DefaultScripts().ToFileOrder()) {
    for (int i = 0; i < count; ++i) texts[i] = "text " + std::to_string(first + i);
    texts[1] = CreditLine;
    return texts;
}

class ScriptStoreTest : public ::testing::Test {
protected:
    // The store after loading content over an earlier file's texts, one read
    // failing once failAt bytes are served.
    ScriptFileTexts Loaded(const std::string& content, size_t failAt = std::string::npos) {
        files.files[ScriptFileName] = Numbered(1, 30, "earlier ");
        store.LoadScripts();
        files.files[ScriptFileName] = content;
        files.failReadAfter = failAt;
        store.LoadScripts();
        files.failReadAfter = std::string::npos;
        return store.Texts().ToFileOrder();
    }
    testing::FakeFileSystem files;
    ScriptStore store{files};
};

TEST_F(ScriptStoreTest, RecordsOverTheDefaultsUpToAFailedRead) {
    EXPECT_EQ(Loaded(""), Read(0));
    EXPECT_EQ(Loaded(Numbered(1, 30, "  text ")), Read(30));
    EXPECT_EQ(Loaded("\t tabbed \t  \r\n")[0], "\t tabbed \t");
    EXPECT_EQ(Loaded(Numbered(1, 16)), Read(16));
    EXPECT_EQ(Loaded(Numbered(1, 30) + "\r\n")[0], "");
    EXPECT_EQ(Loaded(Numbered(1, 35)), Read(5, 31, Read(30)));
    EXPECT_EQ(Loaded(Numbered(1, 30).substr(0, Numbered(1, 30).size() - 2)), Read(30));
    EXPECT_EQ(Loaded("  first\nsecond\nthird\n  ")[0], "first\nsecond\nthird\n");
    EXPECT_EQ(Loaded(Numbered(1, 30), Numbered(1, 20).size()), Read(20));
    EXPECT_EQ(Loaded(Numbered(1, 35), Numbered(1, 30).size()), Read(30));
    EXPECT_EQ(Loaded(Numbered(1, 35), Numbered(1, 31).size()), Read(1, 31, Read(30)));
}

// The same save and load through real files in a scratch folder.
TEST(ScriptStoreOnDisk, SavesOverAnExistingFileAndReadsItBack) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("tamblo-store-" + std::to_string(::getpid()));
    const fs::path previous = fs::current_path();
    fs::create_directories(folder);
    fs::current_path(folder);
    std::fclose(std::fopen(ScriptFileName, "wb"));
    StdFileSystem files;
    ScriptStore store(files);
    const FileResult result = store.SaveScripts(Read(30));
    store.LoadScripts();
    fs::current_path(previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(StdFileSystem().Remove((folder / ScriptFileName).string()).ok);
    fs::remove_all(folder);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(store.Texts().ToFileOrder(), Read(30));
}

TEST(EditorLayout, BoxesSitAtTheirTopsAndTheEndsOfTheRangeShowTheirBoxes) {
    EXPECT_THROW(BoxTop(30), std::out_of_range);
    EXPECT_THROW(BoxTop(-1), std::out_of_range);
    EXPECT_EQ(PanelTopPixels(ScrollMin, 96), -24);
    EXPECT_EQ(PanelTopPixels(-22, 96), 1);
    // At D dpi a twip is D / 1440 pixels; halves round away from zero, and
    // each measure on its own. At the bottom of the range the last box shows whole.
    EXPECT_EQ(ToPixels(6, 120), 1);
    EXPECT_EQ(ToPixels(-6, 120), -1);
    EXPECT_EQ(ToPixelsAt(LayoutRect{1, 2, 1, 2}, DesignDpi, 120), (LayoutRect{1, 3, 1, 3}));
    // dpi, the panel's top at the bottom of the range, its height, the font's height at 8.25 point
    const int densities[][4] = {{96, -384, 733, 11}, {120, -480, 917, 14}, {144, -576, 1100, 17},
                                {192, -768, 1467, 22}};
    for (const auto& [dpi, bottomTop, panelHeight, fontHeight] : densities) {
        EXPECT_EQ(PanelTopPixels(ScrollMax, dpi), bottomTop) << dpi;
        EXPECT_EQ(ToPixels(PanelHeight, dpi), panelHeight) << dpi;
        EXPECT_EQ(ToPixelsAt(825, HundredthPointsPerInch, dpi), fontHeight) << dpi;
        EXPECT_LE(bottomTop + ToPixels(BoxTop(29), dpi) + ToPixels(BoxHeight, dpi), ToPixels(Frame2Rect.height, dpi));
    }
    const Band top = VisibleBand(ScrollMin), bottom = VisibleBand(ScrollMax);
    EXPECT_EQ(top.top, Headings[0].top);
    EXPECT_GE(top.bottom, BoxTop(12) + BoxHeight);
    EXPECT_LT(top.bottom, BoxTop(13));
    EXPECT_LT(BoxTop(17), bottom.top);  // closing box 2 cut at its top, box 3 whole
    EXPECT_GT(BoxTop(17) + BoxHeight, bottom.top);
    EXPECT_GE(BoxTop(18), bottom.top);
    EXPECT_EQ(bottom.bottom - (BoxTop(29) + BoxHeight), 90);
}

TEST(EditorBoxes, EnterRunsThroughEveryBoxButTheCreditLineAndLineBreaksBecomeSpaces) {
    std::vector<int> visited{0};
    while (visited.size() <= BoxCount && NextInEnterCycle(visited.back()) != 0)
        visited.push_back(NextInEnterCycle(visited.back()));
    std::vector<int> expected{0};
    for (int box = 2; box < BoxCount; ++box) expected.push_back(box);
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(WithoutLineBreaks("one\r\ntwo\nthree\rfour  tab\t"), "one  two three four  tab\t");
}

}  // namespace
}  // namespace tamblo
