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

// Defaults, with count texts from the start read as "text first", "text first+1", ...
ScriptFileTexts Read(int count, int first = 1, ScriptFileTexts texts = DefaultScripts().ToFileOrder()) {
    for (int i = 0; i < count; ++i) texts[i] = "text " + std::to_string(first + i);
    texts[1] = CreditLine;
    return texts;
}

ScriptFileTexts With(ScriptFileTexts texts, int index, const std::string& text) {
    texts[index] = text;
    return texts;
}

class ScriptStoreTest : public ::testing::Test {
protected:
    void ExpectLoaded(const std::string& content, const ScriptFileTexts& expected, size_t failAt = std::string::npos) {
        LoadFrom(Lines(1, 30, "earlier "));
        files.files[ScriptFileName] = content;
        files.failReadAfter = failAt;
        LoadScripts();
        files.failReadAfter = std::string::npos;
        EXPECT_EQ(ScriptStore().ToFileOrder(), expected) << content.substr(0, 40) << " " << failAt;
    }
    void LoadFrom(const std::string& content) {
        files.files[ScriptFileName] = content;
        LoadScripts();
    }
    testing::FakeFileSystem files;
};

TEST_F(ScriptStoreTest, RecordsOverTheDefaults) {
    ExpectLoaded("", Read(0));
    ExpectLoaded(Lines(1, 30, "  text ") + "", Read(30));
    ExpectLoaded("\t tabbed \t  \r\n", With(Read(0), 0, "\t tabbed \t"));
    ExpectLoaded(Lines(1, 16), Read(16));
    ExpectLoaded(Lines(1, 30) + "\r\n", With(Read(30), 0, ""));
    ExpectLoaded(Lines(1, 35), Read(5, 31, Read(30)));
    ExpectLoaded(Lines(1, 30).substr(0, Lines(1, 30).size() - 2), Read(30));
    ExpectLoaded("  first\nsecond\nthird\n  ", With(Read(0), 0, "first\nsecond\nthird\n"));
    files.files.erase(ScriptFileName);
    LoadScripts();
    EXPECT_EQ(ScriptStore().ToFileOrder(), Read(0)) << "no file";
}

TEST_F(ScriptStoreTest, AFailedReadEndsTheFileAndKeepsTheTextsBeforeIt) {
    ExpectLoaded(Lines(1, 30), Read(20), Lines(1, 20).size());
    ExpectLoaded(Lines(1, 35), Read(30), Lines(1, 30).size());
    ExpectLoaded(Lines(1, 35), Read(1, 31, Read(30)), Lines(1, 31).size());
}

TEST_F(ScriptStoreTest, SaveWritesThirtyLinesUntrimmedAndLeavesTheStore) {
    LoadScripts();
    ScriptFileTexts texts = Read(30);
    texts[13] = "  two spaces each side  ";
    texts[20] = "";
    texts[0] = "one\rtwo\r\nthree";
    ASSERT_TRUE(SaveScripts(texts).ok);
    EXPECT_EQ(ScriptStore().ToFileOrder(), Read(0));

    std::string expected = "one two \nthree\r\n";
    for (int i = 1; i < ScriptTextCount; ++i) expected += texts[i] + "\r\n";
    EXPECT_EQ(files.files.at(ScriptFileName), expected);
    EXPECT_EQ(files.files.size(), 1u);

    LoadScripts();
    texts[0] = "one two \nthree";
    texts[13] = "two spaces each side";
    EXPECT_EQ(ScriptStore().ToFileOrder(), texts);
}

TEST_F(ScriptStoreTest, FailedSaveLeavesOldFileAndStoreAndSaysWhy) {
    const std::string old = Lines(1, 30, "old ");
    LoadFrom(old);
    const ScriptFileTexts before = ScriptStore().ToFileOrder();
    for (bool* failure : {&files.failWrites, &files.failMoves}) {
        *failure = true;
        const FileResult result = SaveScripts(Read(30));
        *failure = false;
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.reason, failure == &files.failWrites ? "There is not enough space on the disk."
                                                              : "Access is denied.");
        EXPECT_EQ(files.files.at(ScriptFileName), old);
        EXPECT_EQ(files.files.size(), 1u) << "a half-written file is left behind";
    }
    EXPECT_EQ(ScriptStore().ToFileOrder(), before);
}

// The same save and load through real files in a scratch folder.
TEST(ScriptStoreOnDisk, SavesOverAnExistingFileAndReadsItBack) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("tamblo-store-" + std::to_string(::getpid()));
    const fs::path previous = fs::current_path();
    fs::create_directories(folder);
    fs::current_path(folder);
    std::fclose(std::fopen(ScriptFileName, "wb"));
    const FileResult result = SaveScripts(Read(30));
    LoadScripts();
    fs::current_path(previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(StdFileSystem().Remove((folder / ScriptFileName).string()).ok);
    fs::remove_all(folder);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(ScriptStore().ToFileOrder(), Read(30));
}

}  // namespace
}  // namespace tamblo
