// A console whose commands talk through the library transport's fake, whose
// calls show the sent lines plainly, with a view that logs what it is told.
#pragma once

#include <gtest/gtest.h>

#include "console/console.h"
#include "fake_api_library.h"
#include "fake_file_system.h"
#include "fake_platform.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo::testing {

class RecordingView : public ConsoleView {
public:
    explicit RecordingView(EventLog& log) : log_(log) {}
    void EntrantInserted(int index, const std::string& name) override {
        log_.Add("insert " + std::to_string(index) + " " + name);
    }
    void EntrantsCleared() override { log_.Add("entrants cleared"); }
    void WinnerAppended(const std::string& name) override { log_.Add("winner " + name); }
    void WinnersCleared() override { log_.Add("winners cleared"); }
    void TotalPeopleChanged(const std::string& text) override { log_.Add("total " + text); }
    void BusyEntered() override { log_.Add("busy"); }
    void BusyLeft(bool focusDummy) override { log_.Add(focusDummy ? "idle" : "idle, focus kept"); }

private:
    EventLog& log_;
};

inline const std::string Said = "DapiCommunicate Tamblo|0||";
inline const std::string Esped = "DapiCommunicate Tamblo|2|";  // then "name|text"

class ConsoleFixture : public ::testing::Test {
protected:
    ConsoleFixture() {
        EXPECT_FALSE(Closing()) << "every run starts open, and each test leaves it so";
        Link() = LinkState{};
        Link().UseApiLibrary = true;
        EspTarget().clear();
        LoadScripts();
        RegisterWithClient();
        console.SetView(&view);
        log.events.clear();
    }

    // What the logged library calls that start with `how` sent.
    std::vector<std::string> Sent(const std::string& how) const {
        std::vector<std::string> lines;
        for (const std::string& event : log.events)
            if (event.rfind(how, 0) == 0) lines.push_back(event.substr(how.size()));
        return lines;
    }

    // Saves the script file with some of its lines changed and reloads, as the editor does.
    void Save(std::initializer_list<std::pair<int, std::string>> fileLines) {
        ScriptFileTexts texts = ScriptStore().ToFileOrder();
        for (const auto& [line, text] : fileLines) texts[line - 1] = text;
        ASSERT_TRUE(SaveScripts(texts).ok);
        LoadScripts();
    }

    EventLog log;
    FakePlatform platform{log};
    FakeApiLibrary library{log};
    FakeFileSystem files;
    RecordingView view{log};
    Console console;
};

}  // namespace tamblo::testing
