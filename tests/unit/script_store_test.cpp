#include "scripts/script_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "fake_file_system.h"

namespace tamblo {
namespace {

std::string Lines(int from, int to, const std::string& prefix = "text ") {
    std::string content;
    for (int i = from; i <= to; ++i) content += prefix + std::to_string(i) + "\r\n";
    return content;
}

ScriptFileTexts Numbered(const std::string& prefix) {
    ScriptFileTexts texts;
    for (int i = 0; i < ScriptTextCount; ++i) texts[i] = prefix + std::to_string(i + 1);
    return texts;
}

class ScriptStoreTest : public ::testing::Test {
protected:
    void LoadFrom(const std::string& content) {
        files.files[ScriptFileName] = content;
        LoadScripts();
    }
    // The texts expected after loading: defaults with some file lines over them.
    ScriptFileTexts DefaultsWith(std::initializer_list<std::pair<int, std::string>> fileLines) {
        ScriptFileTexts texts = DefaultScripts().ToFileOrder();
        for (const auto& [line, text] : fileLines) texts[line - 1] = text;
        texts[1] = CreditLine;
        return texts;
    }
    testing::FakeFileSystem files;
};

TEST(CreditLine, IsOneNonEmptyStrippedLine) {
    const std::string credit = CreditLine;
    EXPECT_FALSE(credit.empty());
    EXPECT_EQ(credit.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(credit, credit.substr(credit.find_first_not_of(' ')));
    EXPECT_NE(credit.back(), ' ');
}

TEST_F(ScriptStoreTest, DefaultsWithoutAFileOrWithAnEmptyOne) {
    LoadScripts();
    const ScriptTexts& store = ScriptStore();
    EXPECT_EQ(store.OpeningText[0], "Welcome to Olvan's Tamblo Drawing");
    EXPECT_EQ(store.OpeningText[1], CreditLine);
    EXPECT_EQ(store.OpeningText[5], "");
    EXPECT_EQ(store.OpeningText[12], "");
    EXPECT_EQ(store.AskForText, "Please ESP a single $ to me to be put on the List.");
    EXPECT_EQ(store.ConfirmText, "You are on the List.");
    EXPECT_EQ(store.ListHeadText, "The following are on the list:");
    EXPECT_EQ(store.CloseText[0], "Closing the list in 5 seconds.");
    EXPECT_EQ(store.CloseText[6], "The List is Closed.");
    EXPECT_EQ(store.WinnerText[3], "<SHAKE> <SHAKE> <SHAKE>");
    EXPECT_EQ(store.WinnerText[6], "Please ghost for the winner.");

    LoadFrom("");
    EXPECT_EQ(ScriptStore().ToFileOrder(), DefaultsWith({}));
}

TEST_F(ScriptStoreTest, FileLinesLandInTheirSlotsStrippedButCreditLineStays) {
    LoadFrom(Lines(1, 30, "  line ") + "");
    const ScriptTexts& store = ScriptStore();
    EXPECT_EQ(store.OpeningText[0], "line 1");
    EXPECT_EQ(store.OpeningText[1], CreditLine);
    EXPECT_EQ(store.OpeningText[12], "line 13");
    EXPECT_EQ(store.AskForText, "line 14");
    EXPECT_EQ(store.ConfirmText, "line 15");
    EXPECT_EQ(store.ListHeadText, "line 16");
    EXPECT_EQ(store.CloseText[0], "line 17");
    EXPECT_EQ(store.CloseText[6], "line 23");
    EXPECT_EQ(store.WinnerText[0], "line 24");
    EXPECT_EQ(store.WinnerText[6], "line 30");

    LoadFrom("\t tabbed \t  \r\n");
    EXPECT_EQ(ScriptStore().OpeningText[0], "\t tabbed \t");
}

TEST_F(ScriptStoreTest, ShortFileKeepsDefaultsAfterItsLastLine) {
    LoadFrom(Lines(1, 16));
    ScriptFileTexts expected = DefaultScripts().ToFileOrder();
    for (int i = 0; i < 16; ++i) expected[i] = "text " + std::to_string(i + 1);
    expected[1] = CreditLine;
    EXPECT_EQ(ScriptStore().ToFileOrder(), expected);
}

TEST_F(ScriptStoreTest, LinesAfterThirtyStartASecondRecord) {
    LoadFrom(Lines(1, 30) + "\r\n");
    ScriptFileTexts expected = Numbered("text ");
    expected[0] = "";
    expected[1] = CreditLine;
    EXPECT_EQ(ScriptStore().ToFileOrder(), expected);

    LoadFrom(Lines(1, 35));
    expected = Numbered("text ");
    for (int i = 0; i < 5; ++i) expected[i] = "text " + std::to_string(31 + i);
    expected[1] = CreditLine;
    EXPECT_EQ(ScriptStore().ToFileOrder(), expected);
}

TEST_F(ScriptStoreTest, LastLineMayEndAtTheEndOfTheFile) {
    std::string content = Lines(1, 30);
    content.resize(content.size() - 2);
    LoadFrom(content);
    ScriptFileTexts expected = Numbered("text ");
    expected[1] = CreditLine;
    EXPECT_EQ(ScriptStore().ToFileOrder(), expected);
}

TEST_F(ScriptStoreTest, LineFeedOnlyFileIsOneLine) {
    LoadFrom("  first\nsecond\nthird\n  ");
    EXPECT_EQ(ScriptStore().ToFileOrder(), DefaultsWith({{1, "first\nsecond\nthird\n"}}));
}

TEST_F(ScriptStoreTest, SavedFileHasThirtyLinesAndLoadsBackStripped) {
    ScriptFileTexts texts = Numbered("  saved ");
    texts[13] = "  two spaces each side  ";
    texts[20] = "";
    ASSERT_TRUE(SaveScripts(texts).ok);

    const std::string& file = files.files.at(ScriptFileName);
    std::string expected;
    for (const std::string& text : texts) expected += text + "\r\n";
    EXPECT_EQ(file, expected);

    LoadScripts();
    EXPECT_EQ(ScriptStore().AskForText, "two spaces each side");
    EXPECT_EQ(ScriptStore().CloseText[4], "");
    EXPECT_EQ(ScriptStore().WinnerText[6], "saved 30");
    EXPECT_EQ(ScriptStore().OpeningText[1], CreditLine);
}

TEST_F(ScriptStoreTest, CarriageReturnInATextIsSavedAsASpace) {
    ScriptFileTexts texts = DefaultScripts().ToFileOrder();
    texts[0] = "one\rtwo\r\nthree";
    ASSERT_TRUE(SaveScripts(texts).ok);
    LoadScripts();
    EXPECT_EQ(ScriptStore().OpeningText[0], "one two \nthree");
    EXPECT_EQ(ScriptStore().AskForText, DefaultScripts().AskForText);
    EXPECT_EQ(ScriptStore().WinnerText[6], DefaultScripts().WinnerText[6]);
}

TEST_F(ScriptStoreTest, SaveDoesNotTouchTheStore) {
    LoadScripts();
    ASSERT_TRUE(SaveScripts(Numbered("new ")).ok);
    EXPECT_EQ(ScriptStore().ToFileOrder(), DefaultsWith({}));
}

TEST_F(ScriptStoreTest, FailedSaveLeavesOldFileAndStoreAndSaysWhy) {
    const std::string old = Lines(1, 30, "old ");
    LoadFrom(old);
    const ScriptFileTexts before = ScriptStore().ToFileOrder();

    files.failWrites = true;
    FileResult result = SaveScripts(Numbered("new "));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "There is not enough space on the disk.");
    EXPECT_EQ(files.files.at(ScriptFileName), old);
    EXPECT_EQ(files.files.size(), 1u) << "the half-written file is left behind";

    files.failWrites = false;
    files.failMoves = true;
    result = SaveScripts(Numbered("new "));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "Access is denied.");
    EXPECT_EQ(files.files.at(ScriptFileName), old);
    EXPECT_EQ(files.files.size(), 1u);

    EXPECT_EQ(ScriptStore().ToFileOrder(), before);
}

// The same save and load through real files in a scratch folder.
TEST(ScriptStoreOnDisk, SavesOverAnExistingFileAndReadsItBack) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("tamblo-store-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    {
        std::FILE* old = std::fopen(ScriptFileName, "wb");
        std::fputs("old\r\n", old);
        std::fclose(old);
    }
    const FileResult result = SaveScripts(Numbered("disk "));
    LoadScripts();
    fs::current_path(previous);
    const auto leftovers = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    fs::remove_all(folder);

    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(ScriptStore().WinnerText[6], "disk 30");
    EXPECT_EQ(leftovers, 1);
}

}  // namespace
}  // namespace tamblo
