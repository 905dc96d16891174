#include "link/link_settings.h"

#include <gtest/gtest.h>

#include "fake_file_system.h"

namespace tamblo {
namespace {

class LinkSettingsTest : public ::testing::Test {
protected:
    void LoadFrom(const std::string& content) {
        files.files[LinkSettingsFileName] = content;
        LoadLinkSettings();
    }
    void ExpectDefaultsFrom(int line) {
        const LinkState& link = Link();
        if (line <= 1) {
            EXPECT_EQ(link.ClientWindowTitle, "VZones 3.0");
        }
        if (line <= 2) {
            EXPECT_FALSE(link.ActivateClientWindow);
        }
        if (line <= 3) {
            EXPECT_FALSE(link.UseApiLibrary);
        }
        EXPECT_EQ(link.SendPauseSeconds, 0);
    }
    testing::FakeFileSystem files;
};

TEST_F(LinkSettingsTest, NoFileGivesDefaults) {
    Link().ClientWindowTitle = "left over";
    Link().UseApiLibrary = true;
    Link().SendPauseSeconds = 9;
    LoadLinkSettings();
    ExpectDefaultsFrom(1);
}

TEST_F(LinkSettingsTest, ReadsAllFourLinesStripped) {
    LoadFrom("  Worlds Chat  \r\n 1 \r\n1.0\r\n  3\r\nignored fifth line\r\n");
    EXPECT_EQ(Link().ClientWindowTitle, "Worlds Chat");
    EXPECT_TRUE(Link().ActivateClientWindow);
    EXPECT_TRUE(Link().UseApiLibrary);
    EXPECT_EQ(Link().SendPauseSeconds, 3);
}

TEST_F(LinkSettingsTest, ShortFileKeepsDefaultsForMissingLines) {
    LoadFrom("Only a title");
    EXPECT_EQ(Link().ClientWindowTitle, "Only a title");
    ExpectDefaultsFrom(2);

    LoadFrom("\r\n1\r\n");
    EXPECT_EQ(Link().ClientWindowTitle, "");
    EXPECT_TRUE(Link().ActivateClientWindow);
    ExpectDefaultsFrom(3);
}

TEST_F(LinkSettingsTest, LineFeedOnlyFileIsOneTitleLine) {
    LoadFrom(" My Client\n1\n1\n5\n ");
    EXPECT_EQ(Link().ClientWindowTitle, "My Client\n1\n1\n5\n");
    ExpectDefaultsFrom(2);
}

TEST_F(LinkSettingsTest, SwitchesAreOnOnlyForTheNumberOne) {
    for (const char* on : {"1", "1.0", "1 yes", "+1", "1.000"}) {
        LoadFrom(std::string("t\r\n") + on + "\r\n" + on + "\r\n");
        EXPECT_TRUE(Link().ActivateClientWindow) << on;
        EXPECT_TRUE(Link().UseApiLibrary) << on;
    }
    for (const char* off : {"2", "true", "", "0", "-1", "1.5", "yes 1", "0.1"}) {
        LoadFrom(std::string("t\r\n") + off + "\r\n" + off + "\r\n");
        EXPECT_FALSE(Link().ActivateClientWindow) << off;
        EXPECT_FALSE(Link().UseApiLibrary) << off;
    }
}

TEST_F(LinkSettingsTest, PauseRoundsHalvesToEven) {
    const std::pair<const char*, int> cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.4", 2}, {"2.6", 3}, {"-3", -3},
        {"0.5", 0}, {"seconds", 0}, {"-32768", -32768}, {"32767", 32767}, {"32767.4", 32767},
        {"-32768.5", -32768}};
    for (const auto& [line, seconds] : cases) {
        LoadFrom(std::string("t\r\n0\r\n0\r\n") + line + "\r\n");
        EXPECT_EQ(Link().SendPauseSeconds, seconds) << line;
    }
}

TEST_F(LinkSettingsTest, PauseOutsideSixteenBitsStopsReadingAndKeepsEarlierLines) {
    for (const char* line : {"40000", "32767.5", "-32769", "-32768.6", "99999999999999999999999"}) {
        Link().SendPauseSeconds = 7;
        LoadFrom(std::string("Client\r\n1\r\n1\r\n") + line + "\r\n");
        EXPECT_EQ(Link().ClientWindowTitle, "Client") << line;
        EXPECT_TRUE(Link().ActivateClientWindow) << line;
        EXPECT_TRUE(Link().UseApiLibrary) << line;
        EXPECT_EQ(Link().SendPauseSeconds, 0) << line;
    }
}

}  // namespace
}  // namespace tamblo
