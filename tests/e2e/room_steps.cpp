// The chat client's steps: what it received, lines put into its room, its
// Crowd dialog and the hidden conduit window.
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>

#include "input.h"
#include "run.h"
#include "link/win32/conduit_controls.h"
#include "sim_resources.h"

namespace e2e {

namespace {

namespace conduit_ids = tamblo::conduit_controls;

// The case's record shorthand as the transport's log lines: register,
// unregister, fetch, say TEXT, esp NAME|TEXT; "winner" and "..." are matched
// apart; "= LINE" stands as it is.
Strings Expand(const std::string& record, bool library) {
    const size_t space = record.find(' ');
    const std::string word = record.substr(0, space);
    const std::string text = space == std::string::npos ? "" : Unescape(record.substr(space + 1));
    using chatsim::LogLine;
    const auto poke = [](const std::string& topic, const std::string& data) { return LogLine("poke", {topic, topic, data}); };
    const auto communicate = [&](const char* mode, const std::string& name, const std::string& line) {
        if (library) return LogLine("api", {"DapiCommunicate", "Tamblo", mode, name, line});
        return poke("WorldsApi_Communicate", std::string("Tamblo\f") + mode + "\f" + name + "\f" + line);
    };
    if (word == "=") return {Escape(text)};
    if (word == "..." || word == "winner") return {word + "\t" + text};
    if (word == "register")
        return library ? Strings{LogLine("api", {"InitDDE", "Tamblo"}), LogLine("api", {"DapiRegister", "Tamblo"})}
                       : Strings{poke("WorldsApi_Register", "Tamblo")};
    if (word == "unregister")
        return library ? Strings{LogLine("api", {"DapiUnregister", "Tamblo"}), LogLine("api", {"KillDDE"})}
                       : Strings{poke("WorldsApi_Unregister", "Tamblo")};
    if (word == "fetch")
        return {library ? LogLine("api", {"DapiGetAllText", "Tamblo"}) : LogLine("request", {"WorldsApi_GetAllText", "Tamblo"})};
    if (word == "say") return {communicate("0", "", text)};
    Check(word == "esp", "unknown record " + record);
    return {communicate("2", text.substr(0, text.find('|')), text.substr(text.find('|') + 1))};
}

}  // namespace

Strings Run::Received() const {
    Strings records;
    for (const std::string& line : sim_ ? sim_->Log() : Strings())
        if (line.rfind("poke\t", 0) == 0 || line.rfind("request\t", 0) == 0 || line.rfind("api\t", 0) == 0)
            records.push_back(line);
    return records;
}

// "..." is any run of records, also none; "winner A|B" one of the names
// not drawn before, "winner *" any spoken line.
bool Run::Matches(const Strings& expected, size_t e, const Strings& got, size_t g) {
    if (e == expected.size()) return g == got.size();
    if (expected[e] == "...\t") {
        for (size_t skip = g; skip <= got.size(); ++skip)
            if (Matches(expected, e + 1, got, skip)) return true;
        return false;
    }
    if (g == got.size()) return false;
    if (expected[e] == "winner\t*") return got[g].rfind(Expand("say ", library_)[0], 0) == 0 && Matches(expected, e + 1, got, g + 1);
    if (expected[e].rfind("winner\t", 0) == 0) {
        for (const std::string& name : Split(expected[e].substr(7), '|'))
            if (std::find(drawn_.begin(), drawn_.end(), name) == drawn_.end() &&
                got[g] == Expand("say " + name, library_)[0] && Matches(expected, e + 1, got, g + 1)) {
                drawn_.push_back(name);
                return true;
            }
        return false;
    }
    return got[g] == expected[e] && Matches(expected, e + 1, got, g + 1);
}

// The records since the last check must be exactly the block's, in order.
void Run::ExpectReceived(std::istream& block) {
    Strings expected, got;
    for (std::string line; std::getline(block, line) && line != "end";)
        for (const std::string& record : Expand(line, library_)) expected.push_back(record);
    const bool matched = WaitUntil([&] {
        const Strings all = Received();
        got.assign(all.begin() + static_cast<long>(std::min(checked_, all.size())), all.end());
        return Matches(expected, 0, got, 0);
    }, 15000);
    std::string report = "the chat client received:\n";
    for (const std::string& line : got) report += "    " + line + "\n";
    report += "  expected:\n";
    for (const std::string& line : expected) report += "    " + line + "\n";
    Check(matched, report);
    checked_ += got.size();
}

void Run::OnRoom() {
    directives_["sent"] = [this](const Arg& a) { ExpectReceived(*a.block); };
    directives_["times"] = [this](const Arg& a) {  // times N RECORD, in all
        const Strings all = Received();
        const long times = std::count(all.begin(), all.end(), Expand(a.text, library_)[0]);
        Check(times == std::stol(a.name), "received " + std::to_string(times) + " times");
    };
    directives_["count"] = [this](const Arg& a) {  // count N PREFIX: log lines, waited for
        long count = 0;
        Wait([&] {
            count = 0;
            for (const std::string& line : sim_->Log()) count += line.rfind(a.text, 0) == 0;
            return count == std::stol(a.name);
        }, std::to_string(count) + " such log lines");
    };
    // The room's Crowd... button and dialog, as a host uses them.
    directives_["crowd"] = [this](const Arg& a) {
        PostCommand(sim_->window(), IDC_CROWD);
        HWND dialog = sim_->program().WaitForWindow("Crowd", "#32770", 10000);
        Check(dialog != nullptr, "no Crowd dialog");
        SetDlgItemInt(dialog, IDC_CROWD_COUNT, std::stoi(a.all), FALSE);
        PostCommand(dialog, IDOK);
        // The room takes the crowd in before it answers the next message.
        DWORD_PTR answer = 0;
        Check(WaitUntil([&] { return !IsWindow(dialog); }) &&
                  SendMessageTimeoutA(sim_->window(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer),
              "the crowd did not come");
    };
    directives_["room-count"] = [this](const Arg& a) {
        HWND line = GetDlgItem(sim_->window(), IDC_ESP_COUNT);
        Wait([&] { return TitleOf(line) == a.all; }, "the room shows " + TitleOf(line));
    };
    directives_["room-ends"] = [this](const Arg&) { sim_.reset(); };
    directives_["inject"] = [this](const Arg& a) { Check(sim_->CopyData(chatsim::InjectLineData, Unescape(a.all)), "the room took no line"); };
    directives_["api-data"] = [this](const Arg& a) { Check(sim_->CopyData(chatsim::ReceivedData, a.name + '\f' + a.text), "nobody took the data"); };
    // Sent, not set: another program's control takes its text by message only.
    directives_["conduit-set"] = [this](const Arg& a) {
        SendDlgItemMessageA(Conduit(), IdOf(a.name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.text.c_str()));
    };
    directives_["conduit-click"] = [this](const Arg& a) { Check(RunCommand(Conduit(), IdOf(a.all)), "it never ended"); };
    directives_["conduit-shows"] = [this](const Arg& a) {
        HWND conduit = Conduit();
        Check(conduit && !IsWindowVisible(conduit), "no hidden conduit window");
        const int id = IdOf(a.name);
        const auto shown = [&] {
            return id == conduit_ids::ErrorCheck ? std::to_string(IsDlgButtonChecked(conduit, id)) : ControlText(GetDlgItem(conduit, id));
        };
        Wait([&] { return shown() == a.text; }, "it shows " + Escape(shown()));
    };
}

HWND Run::Conduit() {
    Console();  // made, hidden, before the console shows
    return app_->Window([](HWND window) { return TitleOf(window) == conduit_ids::Caption; });
}

}  // namespace e2e
