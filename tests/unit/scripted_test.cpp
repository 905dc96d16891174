// Runs the scripted cases (cases/README.md), one test per scenario: each line
// a directive over a program on fakes whose ports log into one event list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>

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
    void Expect(const std::string& prefix, Lines wanted);
    void Forget() {
        log.events.clear();
        commandStart = 0;
    }

    void EntrantInserted(int, const std::string&) override {}
    void EntrantsCleared() override { log.Add("entrants cleared"); }
    void WinnerAppended(const std::string& name) override { winners.push_back(name); }
    void WinnersCleared() override {
        log.Add("winners cleared");
        winners.clear();
    }
    void TotalPeopleChanged(const std::string& text) override { log.Add("total " + text); }
    void BusyEntered() override { log.Add("busy"); }
    void BusyLeft(bool focusDummy) override { log.Add(focusDummy ? "idle" : "idle, focus kept"); }

    std::string room;  // what the library delivers
    Lines winners;     // as the view shows them
    ClientLink& link = program.Link();
    Console& console = program.TheConsole();
    Drawing& commands = program.Commands();
    size_t commandStart = 0;  // where the last command's events begin
    // Directives by yield number (-1: every yield), and by the line sent.
    std::multimap<int, std::string> atYield, duringLine;
    int linesSent = 0;
};

Rig::Rig(const std::string& transport) {
    console.SetView(this);
    platform.onYield = [this](int number) {
        for (const auto& [at, line] : atYield)
            if (at < 0 || at == number) Do(std::string(line));
    };
    library.onLine = dde.onLine = [this] {
        const auto [first, last] = duringLine.equal_range(++linesSent);
        for (auto at = first; at != last; ++at) Do(std::string(at->second));
    };
    if (transport == "none") return;
    link.settings.UseApiLibrary = transport == "library";
    program.Scripts().LoadScripts();
    if (link.settings.UseApiLibrary) link.RegisterWithClient();
    log.events.clear();
}

// The events since the last check that begin with prefix, without it; a
// wanted line ending in "..." takes any event that begins so.
void Rig::Expect(const std::string& prefix, Lines wanted) {
    Lines got;
    for (const std::string& event : log.events)
        if (event.starts_with(prefix)) got.push_back(event.substr(prefix.size()));
    for (size_t i = 0; i < wanted.size() && i < got.size(); ++i) {
        const std::string& w = wanted[i];
        if (w.ends_with("...") && got[i].starts_with(w.substr(0, w.size() - 3))) wanted[i] = got[i];
    }
    EXPECT_EQ(got, wanted);
    Forget();
}

using Directive = std::function<void(Rig&, const Arg&)>;

Directive Command(void (Drawing::*command)()) {
    return [command](Rig& r, const Arg&) {
        r.commandStart = r.log.events.size();
        (r.commands.*command)();
    };
}

// What the library tells the program, heard only while it listens.
template <typename Call>
void Tell(Rig& r, Call call) {
    EXPECT_EQ(r.library.callbacks ? call(*r.library.callbacks) : 0, 0) << "a callback answers 0";
}

// TITLE|ACTIVATE|LIBRARY|PAUSE, the switches as 0 or 1.
std::string SettingsRow(const LinkSettings& s) {
    return s.ClientWindowTitle + "|" + std::to_string(s.ActivateClientWindow) + "|" +
           std::to_string(s.UseApiLibrary) + "|" + std::to_string(s.SendPauseSeconds);
}

const std::map<std::string, Directive> Directives = {
    // The fakes.
    {"service", [](Rig& r, const Arg& a) { r.dde.serviceRunning = a.all == "up"; }},
    {"failing-opens", [](Rig& r, const Arg& a) { r.dde.failingTries = std::stoi(a.all); }},
    {"answer", [](Rig& r, const Arg& a) { r.dde.answer = a.text; }},
    {"on-poke", [](Rig& r, const Arg& a) { r.dde.onPoke = [&r, line = a.all] { r.Do(line); }; }},
    {"on-unregister", [](Rig& r, const Arg& a) {
         r.library.onUnregister = [&r, line = a.all] { r.Do(line); };
     }},
    {"on-box", [](Rig& r, const Arg& a) {  // each in turn while the next box is open
         r.platform.onBox = [&r, line = a.all, before = std::move(r.platform.onBox)] {
             if (before) before();
             r.Do(line);
         };
     }},
    {"windows", [](Rig& r, const Arg& a) {
         r.platform.windows.clear();
         for (const std::string& w : a.block())
             r.platform.windows.push_back({std::stoul(w), Parse(w).rest});
     }},
    {"clock-reads", [](Rig& r, const Arg& a) { r.platform.readsPerSecond = std::stoi(a.all); }},
    {"at", [](Rig& r, const Arg& a) {
         r.atYield.emplace(a.name == "*" ? -1 : r.platform.yields + std::stoi(a.name), a.rest);
     }},
    {"during", [](Rig& r, const Arg& a) {  // line N LINE
         const Arg line = Parse(a.rest);
         r.duringLine.emplace(r.linesSent + std::stoi(line.name), line.rest);
     }},
    {"load-failure", [](Rig& r, const Arg& a) {
         r.library.loadFailure = a.all.empty() ? std::nullopt : std::optional(a.text);
     }},
    {"room", [](Rig& r, const Arg& a) {  // the block, or N LINE: N more of the line
         if (a.all.empty()) r.room.clear();
         r.room += Joined(a.all.empty() ? a.block() : Lines(std::stoul(a.name), a.value));
         r.library.onGetAllText = [&r] {
             Tell(r, [&](auto& h) { return h.ProcessAllText(r.room); });
         };
     }},
    {"failing", [](Rig& r, const Arg& a) {
         (a.name == "writes" ? r.files.failWrites : r.files.failMoves) = a.rest == "1";
     }},
    {"read-fails-after", [](Rig& r, const Arg& a) {
         r.files.failReadAfter = a.all.empty() ? std::string::npos : std::stoul(a.all);
     }},
    {"file", [](Rig& r, const Arg& a) {
         r.files.files[a.name] = a.rest.empty() ? Joined(a.block()) : a.value;
     }},
    {"throw", [](Rig&, const Arg&) { throw std::bad_alloc(); }},
    {"repeat", [](Rig& r, const Arg& a) {  // N LINE, a "#" in it numbered from 1
         for (int n = 1; n <= std::stoi(a.name); ++n) {
             std::string line = a.rest;
             const size_t hash = line.find('#');
             if (hash != std::string::npos) line.replace(hash, 1, std::to_string(n));
             r.Do(line);
         }
     }},
    // The link: settings, operations, callbacks.
    {"LoadLinkSettings", [](Rig& r, const Arg&) { r.link.LoadLinkSettings(); }},
    {"EspTarget", [](Rig& r, const Arg& a) { r.link.EspTarget = a.text; }},
    {"RegisterWithClient", [](Rig& r, const Arg&) { r.link.RegisterWithClient(); }},
    {"UnregisterFromClient", [](Rig& r, const Arg&) { r.link.UnregisterFromClient(); }},
    {"SayToRoom", [](Rig& r, const Arg& a) { r.link.SayToRoom(a.text); }},
    {"EspToAvatar", [](Rig& r, const Arg& a) { r.link.EspToAvatar(a.text); }},
    {"FetchChatText", [](Rig& r, const Arg&) { r.link.FetchChatText(); }},
    {"PauseSeconds", [](Rig& r, const Arg& a) { r.link.PauseSeconds(std::stoi(a.all)); }},
    {"ProcessAckData", [](Rig& r, const Arg& a) {
         Tell(r, [&a](auto& h) { return h.ProcessAckData(a.text); });
     }},
    {"ProcessReceivedData", [](Rig& r, const Arg& a) {  // SENDER COUNT DATA
         const int count = std::stoi(a.rest);
         const std::string data = Parse(a.rest).value;
         Tell(r, [&](auto& h) { return h.ProcessReceivedData(a.name, count, data); });
     }},
    {"ProcessAllText", [](Rig& r, const Arg& a) {
         Tell(r, [&a](auto& h) { return h.ProcessAllText(a.text); });
     }},
    // The program, its console and commands.
    {"StartUp", [](Rig& r, const Arg& a) { r.program.StartUp(std::stoi(a.all)); }},
    {"close", [](Rig& r, const Arg&) { r.program.Close([&r] { r.log.Add("end"); }); }},
    {"guarded", [](Rig& r, const Arg& a) {  // as a window event's handler: what it throws is told
         RunReportingFailure(r.platform, [&] { r.Do(a.all); });
     }},
    {"LoadScripts", [](Rig& r, const Arg&) { r.program.Scripts().LoadScripts(); }},
    {"save", [](Rig& r, const Arg& a) {  // the editor's, of one box; it fails only when made to
         editor::Edits edits;
         edits.at(std::stoi(a.name) - 1) = a.value;
         const bool saved = editor::SaveEdits(r.program.Scripts(), edits, r.platform);
         EXPECT_EQ(saved, !r.files.failWrites && !r.files.failMoves);
     }},
    {"InsertEntrant", [](Rig& r, const Arg& a) { r.console.InsertEntrant(a.text); }},
    {"AppendWinner", [](Rig& r, const Arg& a) { r.console.AppendWinner(a.text); }},
    {"ClearEntrants", [](Rig& r, const Arg&) { r.console.ClearEntrants(); }},
    {"SpeakWelcome", Command(&Drawing::SpeakWelcome)},
    {"AskForSignUps", Command(&Drawing::AskForSignUps)},
    {"AnnounceClosing", Command(&Drawing::AnnounceClosing)},
    {"ReadListOut", Command(&Drawing::ReadListOut)},
    {"ClearEntrantList", Command(&Drawing::ClearEntrantList)},
    {"ClearWinnersList", Command(&Drawing::ClearWinnersList)},
    {"Reconnect", Command(&Drawing::Reconnect)},
    {"TakeSignUps", Command(&Drawing::TakeSignUps)},
    {"PickWinner", Command(&Drawing::PickWinner)},
    // Checks.
    {"expect", [](Rig& r, const Arg& a) { r.Expect(a.all, a.block()); }},
    {"said", [](Rig& r, const Arg& a) {
         const Lines& events = r.log.events;
         const bool ran = r.commandStart < events.size();
         EXPECT_EQ(ran ? events[r.commandStart] + ", " + events.back() : "", "busy, idle");
         r.Expect("DapiCommunicate Tamblo|0||", a.block());
     }},
    {"forget", [](Rig& r, const Arg&) { r.Forget(); }},
    {"count", [](Rig& r, const Arg& a) { EXPECT_EQ(r.log.Count(a.value), std::stol(a.name)); }},
    {"yields", [](Rig& r, const Arg& a) {
         long yields = 0;
         for (const std::string& e : r.log.events)
             if (e.starts_with("yield x")) yields += std::stol(e.substr(7));
         EXPECT_EQ(yields, std::stol(a.all));
     }},
    {"waits", [](Rig& r, const Arg& a) { EXPECT_EQ(r.platform.waits, std::stoi(a.all)); }},
    {"fetched", [](Rig& r, const Arg& a) {
         EXPECT_EQ(r.link.FetchedChatText().value_or("none"), a.text);
     }},
    {"file-is", [](Rig& r, const Arg& a) {
         const auto file = r.files.files.find(a.name);
         const std::string got = file == r.files.files.end() ? "absent" : file->second;
         EXPECT_EQ(got, a.rest.empty() ? Joined(a.block()) : a.value);
     }},
    {"files", [](Rig& r, const Arg& a) { EXPECT_EQ(r.files.files.size(), std::stoul(a.all)); }},
    {"script", [](Rig& r, const Arg& a) {  // N TEXT: the store's text of file line N
         EXPECT_EQ(r.program.Scripts().Texts().InFileOrder(std::stoi(a.name) - 1), a.value);
     }},
    {"settings", [](Rig& r, const Arg& a) {  // ROW [<- FILE]: as read, from the file if given
         const size_t from = a.all.find(" <- ");
         if (from != std::string::npos) {
             r.files.files[LinkSettingsFileName] = Unescape(a.all.substr(from + 4));
             r.link.LoadLinkSettings();
         }
         EXPECT_EQ(SettingsRow(r.link.settings), Unescape(a.all.substr(0, from)));
     }},
    {"scripts", [](Rig& r, const Arg& a) {
         const ScriptFileTexts texts = r.program.Scripts().Texts().ToFileOrder();
         EXPECT_EQ(Lines(texts.begin(), texts.end()), a.block());
     }},
    {"conduit-shows", [](Rig& r, const Arg& a) {  // ErrorCheck|Text1 VALUE, as its window shows it
         const ConduitFields& shown = r.dde.shown;
         EXPECT_EQ(a.name == "ErrorCheck" ? std::to_string(shown.ErrorCheck) : shown.Text1,
                   a.value);
     }},
    {"busy", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.Busy(), a.all == "1"); }},
    {"entrants", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.Entrants(), a.block()); }},
    {"winners", [](Rig& r, const Arg& a) { EXPECT_EQ(r.winners, a.block()); }},
    {"total", [](Rig& r, const Arg& a) { EXPECT_EQ(r.console.TotalPeople(), a.all); }},
    {"chooser-counts", [](Rig& r, const Arg& a) { EXPECT_EQ(r.chooser.counts, a.block()); }},
};

void Rig::Do(const std::string& line, const std::function<Lines()>& block) {
    SCOPED_TRACE(line);
    const size_t space = line.find(' ');
    const auto directive = Directives.find(line.substr(0, space));
    Arg arg = Parse(space == std::string::npos ? "" : line.substr(space + 1));
    if (block) arg.block = block;
    if (directive == Directives.end())
        ADD_FAILURE() << "unknown directive";
    else
        directive->second(*this, arg);
}

// One scenario of a case file: from its "transport" line to the next, named
// by the comment above it.
struct Scenario {
    std::string file, name;
    int firstLine;
};

// A block's lines; "PREFIX{N..M}" stands for the lines PREFIXN to PREFIXM,
// "default{N..M}" for the default texts of script file lines N to M.
Lines ReadBlock(const std::function<bool(std::string&)>& next) {
    Lines lines;
    for (std::string line; next(line) && line != "end";) {
        const size_t open = line.rfind('{'), dots = line.find("..", open);
        if (!line.ends_with('}') || open == std::string::npos || dots == std::string::npos) {
            lines.push_back(Unescape(line));
            continue;
        }
        const std::string prefix = Unescape(line.substr(0, open));
        for (int n = std::stoi(line.substr(open + 1)); n <= std::stoi(line.substr(dots + 2)); ++n)
            lines.push_back(prefix == "default" ? DefaultScripts().InFileOrder(n - 1)
                                                : prefix + std::to_string(n));
    }
    return lines;
}

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.file << ".case:" << scenario.firstLine;
}

class Case : public ::testing::TestWithParam<Scenario> {};

TEST_P(Case, Runs) {
    const Scenario& scenario = GetParam();
    std::ifstream file(std::string(TAMBLO_UNIT_CASES "/") + scenario.file + ".case");
    ASSERT_TRUE(file.is_open());
    int number = 0;
    const auto next = [&](std::string& line) {
        ++number;
        return static_cast<bool>(std::getline(file, line));
    };
    std::string line;
    while (number < scenario.firstLine && next(line)) {
    }
    Rig rig(line.substr(std::string("transport ").size()));
    while (next(line) && !line.starts_with("transport ")) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(scenario.file + ".case:" + std::to_string(number));
        rig.Do(line, [&] { return ReadBlock(next); });
    }
}

// The heading's first words, as a test name.
std::string NameOf(const std::string& heading) {
    std::string name;
    int words = 0;
    for (size_t i = 0; i < heading.size() && words < 8; ++i) {
        const unsigned char c = static_cast<unsigned char>(heading[i]);
        if (std::isalnum(c)) name += static_cast<char>(c);
        else if (c == ' ' && !name.empty() && name.back() != '_' && ++words < 8) name += '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name;
}

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> scenarios;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(TAMBLO_UNIT_CASES))
        if (entry.path().extension() == ".case") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream file(path);
        std::string heading;
        int number = 0;
        for (std::string line; std::getline(file, line);) {
            ++number;
            if (line.starts_with("# ")) heading += (heading.empty() ? "" : " ") + line.substr(2);
            else if (line.starts_with("transport "))
                scenarios.push_back({path.stem().string(), NameOf(heading), number});
            if (!line.starts_with("#")) heading.clear();
        }
    }
    return scenarios;
}

INSTANTIATE_TEST_SUITE_P(Scripted, Case, ::testing::ValuesIn(Scenarios()), [](const auto& info) {
    std::string file = info.param.file;
    std::replace(file.begin(), file.end(), '-', '_');
    const std::string& name = info.param.name;
    return file + "_" + std::to_string(info.index) + (name.empty() ? "" : "_" + name);
});

}  // namespace
}  // namespace tamblo
