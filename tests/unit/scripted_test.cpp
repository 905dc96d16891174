// Runs the scripted cases (cases/README.md), one test per file: each line a
// directive over a program on fakes whose ports log into one event list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

#include "fakes.h"
#include "link/link_settings.h"
#include "scripts/editor_rules.h"
#include "unescape.h"

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;
using namespace testing;  // the fakes

// A block's lines as a file or a room holds them.
std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// A directive's argument: whole and its first word; the rest after that
// word; unescaped, the whole as text and the rest as value; the block.
struct Arg {
    std::string all, name, rest, text, value;
    std::function<Lines()> block = [] { return Lines{}; };
};

Arg Parse(const std::string& all) {
    const size_t space = all.find(' ');
    const std::string rest = space == std::string::npos ? "" : all.substr(space + 1);
    return {all, all.substr(0, space), rest, Unescape(all), Unescape(rest)};
}

// The program on fakes, also its console's view (which logs what it is told
// but the rows).
struct Rig : FakeProgram, ConsoleView {
    explicit Rig(const std::string& transport);
    void Do(const std::string& line, const std::function<Lines()>& block = {});
    // The events since the last check that begin with prefix, without it; a
    // wanted line ending in "..." takes any event that begins so.
    void Expect(const std::string& prefix, Lines wanted) {
        Lines got;
        for (const std::string& event : log.events)
            if (event.starts_with(prefix)) got.push_back(event.substr(prefix.size()));
        for (size_t i = 0; i < wanted.size() && i < got.size(); ++i)
            if (wanted[i].ends_with("...") && got[i].starts_with(wanted[i].substr(0, wanted[i].size() - 3))) wanted[i] = got[i];
        EXPECT_EQ(got, wanted);
        log.events.clear();
        commandStart = 0;
    }

    void EntrantInserted(int, const std::string&) override {}
    void EntrantsCleared() override { log.Add("entrants cleared"); }
    void WinnerAppended(const std::string&) override {}
    void WinnersCleared() override { log.Add("winners cleared"); }
    void TotalPeopleChanged(const std::string& text) override { log.Add("total " + text); }
    void BusyEntered() override { log.Add("busy"); }
    void BusyLeft(bool focusDummy) override { log.Add(focusDummy ? "idle" : "idle, focus kept"); }

    std::string room;  // what the library delivers
    ClientLink& link = program.Link();
    Console& console = program.TheConsole();
    Drawing& commands = program.Commands();
    size_t commandStart = 0;  // where the last command's events begin
    std::vector<std::pair<int, std::string>> atYield;  // directives by yield number, -1 at every yield
};

Rig::Rig(const std::string& transport) {
    console.SetView(this);
    platform.onYield = [this](int number) {
        for (size_t i = 0; i < atYield.size(); ++i)
            if (atYield[i].first < 0 || atYield[i].first == number) Do(std::string(atYield[i].second));
    };
    if (transport == "none") return;
    link.settings.UseApiLibrary = transport == "library";
    program.Scripts().LoadScripts();
    if (link.settings.UseApiLibrary) link.RegisterWithClient();
    log.events.clear();
}

using Directive = std::function<void(Rig&, const Arg&)>;

Directive Command(void (Drawing::*command)()) {
    return [command](Rig& r, const Arg&) {
        r.commandStart = r.log.events.size();
        (r.commands.*command)();
    };
}

// What the library tells the program, as long as it listens.
LibraryCallbacks& Heard(Rig& r) {
    static struct : LibraryCallbacks {
        int32_t ProcessAckData(const std::string&) override { return 0; }
        int32_t ProcessReceivedData(const std::string&, int32_t, const std::string&) override { return 0; }
        int32_t ProcessAllText(const std::string&) override { return 0; }
    } deaf;
    return r.library.callbacks ? *r.library.callbacks : deaf;
}


const std::map<std::string, Directive> Directives = {
    // The fakes.
    {"service", [](Rig& r, const Arg& a) { r.dde.serviceRunning = a.all == "up"; }},
    {"failing-opens", [](Rig& r, const Arg& a) { r.dde.failingTries = std::stoi(a.all); }},
    {"answer", [](Rig& r, const Arg& a) { r.dde.answer = a.text; }},
    {"on-poke", [](Rig& r, const Arg& a) { r.dde.onPoke = [&r, line = a.all] { r.Do(line); }; }},
    {"on-box", [](Rig& r, const Arg& a) {  // each in turn while the next box is open
         r.platform.onBox = [&r, line = a.all, before = std::move(r.platform.onBox)] {
             if (before) before();
             r.Do(line);
         };
     }},
    {"repeat", [](Rig& r, const Arg& a) {  // N LINE, a "#" in it numbered from 1
         for (int n = 1; n <= std::stoi(a.name); ++n) {
             std::string line = a.rest;
             if (const size_t hash = line.find('#'); hash != std::string::npos) line.replace(hash, 1, std::to_string(n));
             r.Do(line);
         }
     }},
    {"windows", [](Rig& r, const Arg& a) {
         r.platform.windows.clear();
         for (const std::string& line : a.block()) r.platform.windows.push_back({std::stoul(line), Parse(line).rest});
     }},
    {"clock-reads", [](Rig& r, const Arg& a) { r.platform.readsPerSecond = std::stoi(a.all); }},
    {"at", [](Rig& r, const Arg& a) { r.atYield.emplace_back(a.name == "*" ? -1 : r.platform.yields + std::stoi(a.name), a.rest); }},
    {"load-failure", [](Rig& r, const Arg& a) { r.library.loadFailure = a.all.empty() ? std::nullopt : std::optional(a.text); }},
    {"room", [](Rig& r, const Arg& a) {  // the block, or N LINE: N more of the line
         if (a.all.empty()) r.room.clear();
         r.room += Joined(a.all.empty() ? a.block() : Lines(std::stoul(a.name), a.value));
         r.library.onGetAllText = [&r] { Heard(r).ProcessAllText(r.room); };
     }},
    {"failing", [](Rig& r, const Arg& a) { (a.name == "writes" ? r.files.failWrites : r.files.failMoves) = a.rest == "1"; }},
    {"read-fails-after", [](Rig& r, const Arg& a) { r.files.failReadAfter = a.all.empty() ? std::string::npos : std::stoul(a.all); }},
    {"file", [](Rig& r, const Arg& a) { r.files.files[a.name] = a.rest.empty() ? Joined(a.block()) : a.value; }},
    // The link: settings, operations, callbacks (which always answer 0).
    {"ReadLinkSettings", [](Rig& r, const Arg&) { r.link.settings = ReadLinkSettings(r.files); }},
    {"ClientWindowTitle", [](Rig& r, const Arg& a) { r.link.settings.ClientWindowTitle = a.text; }},
    {"ActivateClientWindow", [](Rig& r, const Arg& a) { r.link.settings.ActivateClientWindow = a.all == "1"; }},
    {"SendPauseSeconds", [](Rig& r, const Arg& a) { r.link.settings.SendPauseSeconds = std::stoi(a.all); }},
    {"EspTarget", [](Rig& r, const Arg& a) { r.link.EspTarget = a.text; }},
    {"RegisterWithClient", [](Rig& r, const Arg&) { r.link.RegisterWithClient(); }},
    {"UnregisterFromClient", [](Rig& r, const Arg&) { r.link.UnregisterFromClient(); }},
    {"SayToRoom", [](Rig& r, const Arg& a) { r.link.SayToRoom(a.text); }},
    {"EspToAvatar", [](Rig& r, const Arg& a) { r.link.EspToAvatar(a.text); }},
    {"FetchChatText", [](Rig& r, const Arg&) { r.link.FetchChatText(); }},
    {"PauseSeconds", [](Rig& r, const Arg& a) { r.link.PauseSeconds(std::stoi(a.all)); }},
    {"ProcessAckData", [](Rig& r, const Arg& a) { EXPECT_EQ(Heard(r).ProcessAckData(a.text), 0); }},
    {"ProcessReceivedData", [](Rig& r, const Arg& a) {
         EXPECT_EQ(Heard(r).ProcessReceivedData(a.name, std::stoi(a.rest), Parse(a.rest).value), 0);
     }},
    {"ProcessAllText", [](Rig& r, const Arg& a) { EXPECT_EQ(Heard(r).ProcessAllText(a.text), 0); }},
    // The program, its console and commands.
    {"StartUp", [](Rig& r, const Arg& a) { r.program.StartUp(std::stoi(a.all)); }},
    {"close", [](Rig& r, const Arg&) { r.program.Close([&r] { r.log.Add("end"); }); }},
    {"LoadScripts", [](Rig& r, const Arg&) { r.program.Scripts().LoadScripts(); }},
    {"SaveScripts", [](Rig& r, const Arg& a) {
         const Lines lines = a.block();
         ScriptFileTexts texts;
         ASSERT_EQ(lines.size(), texts.size());
         std::copy(lines.begin(), lines.end(), texts.begin());
         EXPECT_TRUE(r.program.Scripts().SaveScripts(texts).ok);
     }},
    {"save", [](Rig& r, const Arg& a) {  // the editor's, of one box; it fails only when made to
         editor::Edits edits;
         edits.at(std::stoi(a.name) - 1) = a.value;
         EXPECT_EQ(editor::SaveEdits(r.program.Scripts(), edits, r.platform), !r.files.failWrites && !r.files.failMoves);
     }},
    {"InsertEntrant", [](Rig& r, const Arg& a) { r.console.InsertEntrant(a.text); }},
    {"AppendWinner", [](Rig& r, const Arg& a) { r.console.AppendWinner(a.text); }},
    {"ClearEntrants", [](Rig& r, const Arg&) { r.console.ClearEntrants(); }},
    {"SpeakWelcome", Command(&Drawing::SpeakWelcome)}, {"AskForSignUps", Command(&Drawing::AskForSignUps)},
    {"AnnounceClosing", Command(&Drawing::AnnounceClosing)}, {"ReadListOut", Command(&Drawing::ReadListOut)},
    {"ClearEntrantList", Command(&Drawing::ClearEntrantList)},
    {"ClearWinnersList", Command(&Drawing::ClearWinnersList)}, {"Reconnect", Command(&Drawing::Reconnect)},
    {"TakeSignUps", Command(&Drawing::TakeSignUps)}, {"PickWinner", Command(&Drawing::PickWinner)},
    // A window event's handler, run as the windows run it; "throw": out of memory.
    {"guarded", [](Rig& r, const Arg& a) { RunReportingFailure(r.platform, [&] { r.Do(a.all); }); }},
    {"throw", [](Rig&, const Arg&) { throw std::bad_alloc(); }},
    // Checks.
    {"expect", [](Rig& r, const Arg& a) { r.Expect(a.all, a.block()); }},
    {"said", [](Rig& r, const Arg& a) {
         const Lines& events = r.log.events;
         EXPECT_EQ(r.commandStart < events.size() ? events[r.commandStart] + ", " + events.back() : "", "busy, idle");
         r.Expect("DapiCommunicate Tamblo|0||", a.block());
     }},
    {"forget", [](Rig& r, const Arg&) { r.log.events.clear(), r.commandStart = 0; }},
    {"count", [](Rig& r, const Arg& a) { EXPECT_EQ(r.log.Count(a.value), std::stol(a.name)) << a.value; }},
    {"yields", [](Rig& r, const Arg& a) {
         const auto add = [](long n, const std::string& e) { return n + (e.starts_with("yield x") ? std::stol(e.substr(7)) : 0); };
         EXPECT_EQ(std::accumulate(r.log.events.begin(), r.log.events.end(), 0L, add), std::stol(a.all));
     }},
    {"waits", [](Rig& r, const Arg& a) { EXPECT_EQ(r.platform.waits, std::stoi(a.all)); }},
    {"fetched", [](Rig& r, const Arg& a) { EXPECT_EQ(r.link.FetchedChatText().value_or("none"), a.text); }},
    {"file-is", [](Rig& r, const Arg& a) {
         const auto file = r.files.files.find(a.name);
         EXPECT_EQ(file == r.files.files.end() ? "absent" : file->second, a.rest.empty() ? Joined(a.block()) : a.value);
     }},
    {"files", [](Rig& r, const Arg& a) { EXPECT_EQ(r.files.files.size(), std::stoul(a.all)); }},
    {"script", [](Rig& r, const Arg& a) { EXPECT_EQ(r.program.Scripts().Texts().InFileOrder(std::stoi(a.name) - 1), a.value); }},
    {"settings", [](Rig& r, const Arg& a) {  // TITLE|ACTIVATE|LIBRARY|PAUSE
         const LinkSettings& read = r.link.settings;
         EXPECT_EQ(read.ClientWindowTitle + "|" + std::to_string(read.ActivateClientWindow) + "|" +
                   std::to_string(read.UseApiLibrary) + "|" + std::to_string(read.SendPauseSeconds), a.text);
     }},
    {"scripts", [](Rig& r, const Arg& a) {
         const ScriptFileTexts texts = r.program.Scripts().Texts().ToFileOrder();
         EXPECT_EQ(Lines(texts.begin(), texts.end()), a.block());
     }},
    {"conduit-shows", [](Rig& r, const Arg& a) {  // as the conduit's window last showed it
         EXPECT_EQ(a.name == "ErrorCheck" ? std::to_string(r.dde.shown.ErrorCheck) : r.dde.shown.Text1, a.value);
     }},
    {"busy", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.Busy(), a.all == "1"); }},
    {"entrants", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.Entrants(), a.block()); }},
    {"winners", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.Winners(), a.block()); }},
    {"total", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.TotalPeople(), a.all); }},
    {"marker-text", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.MarkerText, a.text); }},
    {"marker-count", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.MarkerCount, std::stoi(a.all)); }},
    {"chooser-counts", [](Rig& r, const Arg& a) { EXPECT_EQ(r.chooser.counts, a.block()); }},
};

void Rig::Do(const std::string& line, const std::function<Lines()>& block) {
    SCOPED_TRACE(line);
    const size_t space = line.find(' ');
    const auto directive = Directives.find(line.substr(0, space));
    Arg arg = Parse(space == std::string::npos ? "" : line.substr(space + 1));
    if (block) arg.block = block;
    if (directive == Directives.end()) ADD_FAILURE() << "unknown directive";
    else directive->second(*this, arg);
}

class Case : public ::testing::TestWithParam<std::string> {};

TEST_P(Case, Runs) {
    std::ifstream file(std::string(TAMBLO_UNIT_CASES "/") + GetParam() + ".case");
    ASSERT_TRUE(file.is_open());
    auto rig = std::make_unique<Rig>("none");
    int number = 0;
    const auto next = [&](std::string& line) { return ++number, static_cast<bool>(std::getline(file, line)); };
    const auto block = [&] {
        Lines lines;
        for (std::string line; next(line) && line != "end";) {
            // "PREFIX{N..M}" stands for the lines PREFIX N to PREFIX M.
            const size_t open = line.rfind('{'), dots = line.find("..", open);
            if (!line.ends_with('}') || open == std::string::npos || dots == std::string::npos) lines.push_back(Unescape(line));
            else for (int n = std::stoi(line.substr(open + 1)); n <= std::stoi(line.substr(dots + 2)); ++n)
                lines.push_back(Unescape(line.substr(0, open)) + std::to_string(n));
        }
        return lines;
    };
    for (std::string line; next(line);) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(GetParam() + ".case:" + std::to_string(number));
        if (line.starts_with("transport ")) rig = std::make_unique<Rig>(line.substr(10));
        else rig->Do(line, block);
    }
}

Lines CaseNames() {
    Lines names;
    for (const auto& entry : std::filesystem::directory_iterator(TAMBLO_UNIT_CASES))
        if (entry.path().extension() == ".case") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Scripted, Case, ::testing::ValuesIn(CaseNames()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

}  // namespace
}  // namespace tamblo
