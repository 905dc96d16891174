#include "link/link_settings.h"

#include <gtest/gtest.h>

#include "common/text_rules.h"
#include "fake_file_system.h"

namespace tamblo {
namespace {

struct Settings {
    std::string title;
    bool activate, library;
    int pause;
};

class LinkSettingsTest : public ::testing::Test {
protected:
    void Expect(const Settings& expected, const std::string& why) {
        EXPECT_EQ(Link().ClientWindowTitle, expected.title) << why;
        EXPECT_EQ(Link().ActivateClientWindow, expected.activate) << why;
        EXPECT_EQ(Link().UseApiLibrary, expected.library) << why;
        EXPECT_EQ(Link().SendPauseSeconds, expected.pause) << why;
    }
    void ExpectFrom(const std::string& content, const Settings& expected) {
        Link() = LinkState{"left over", true, true, 9, ""};
        files.files[LinkSettingsFileName] = content;
        LoadLinkSettings();
        Expect(expected, content.substr(0, 60));
    }
    testing::FakeFileSystem files;
};

TEST_F(LinkSettingsTest, FourLinesOverTheDefaults) {
    Link() = LinkState{"left over", true, true, 9, ""};
    LoadLinkSettings();
    Expect({"VZones 3.0", false, false, 0}, "no file");
    ExpectFrom("  Worlds Chat  \r\n 1 \r\n1.0\r\n  3\r\nignored fifth line\r\n", {"Worlds Chat", true, true, 3});
    ExpectFrom("Only a title", {"Only a title", false, false, 0});
    ExpectFrom("\r\n1\r\n", {"", true, false, 0});
    ExpectFrom(" My Client\n1\n1\n5\n ", {"My Client\n1\n1\n5\n", false, false, 0});
    // The rest of a line too long to hold is skipped, not read as lines.
    const std::string longTitle(MaxFileLineLength + 10, 'x');
    ExpectFrom(longTitle + "\r\n1\r\n", {longTitle.substr(0, MaxFileLineLength), true, false, 0});
}

TEST_F(LinkSettingsTest, SwitchesAreOnOnlyForTheNumberOne) {
    for (const char* on : {"1", "1.0", "1 yes", "+1"})
        ExpectFrom(std::string("t\r\n") + on + "\r\n" + on, {"t", true, true, 0});
    for (const char* off : {"2", "true", "", "0", "-1", "1.5", "yes 1", "0.1"})
        ExpectFrom(std::string("t\r\n") + off + "\r\n" + off, {"t", false, false, 0});
}

TEST_F(LinkSettingsTest, PauseRoundsHalvesToEvenAndOutsideSixteenBitsStaysZero) {
    const std::pair<const char*, int> cases[] = {
        {"2.5", 2},        {"3.5", 4},          {"-2.5", -2},      {"2.6", 3},     {"-3", -3},
        {"seconds", 0},    {"-32768", -32768},  {"32767.4", 32767}, {"-32768.5", -32768},
        {"40000", 0},      {"32767.5", 0},      {"-32769", 0},     {"-32768.6", 0}, {"99999999999999999999999", 0}};
    for (const auto& [line, seconds] : cases)
        ExpectFrom(std::string("C\r\n1\r\n1\r\n") + line, {"C", true, true, seconds});
}

TEST_F(LinkSettingsTest, AFailedReadEndsTheFileAndKeepsTheLinesBeforeIt) {
    const std::string content = "Client\r\n1\r\n1 7\r\n";
    const std::pair<size_t, Settings> cases[] = {
        {0, {"VZones 3.0", false, false, 0}},
        {11, {"Client", true, false, 0}},
        {13, {"Client", true, true, 0}},  // within line 3: what came of it is its text, and no more
    };
    for (const auto& [failAt, expected] : cases) {
        files.failReadAfter = failAt;
        ExpectFrom(content, expected);
    }
}

}  // namespace
}  // namespace tamblo
