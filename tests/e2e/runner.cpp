// Runs one scripted end-to-end case (cases/README.md): starts the chat-client
// simulator and tamblo.exe in a scratch folder, drives them as a host would
// and compares what the chat client received, once per transport named.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "run.h"

namespace e2e {

Run::Run(const std::string& name, bool library) : library_(library), folder_(FreshFolder(name + (library ? ".library" : ".dde"))) {
    // Before the start, and files.
    directives_["room"] = [this](const Arg& a) {
        if (a.all == "none") room_ = false;
        else scenario_ += a.all + "\n";
    };
    directives_["file"] = [this](const Arg& a) { WriteFile(Path(a.name), written_[a.name] = a.text); };
    directives_["copy"] = [this](const Arg& a) { CopyFileA(Path(a.name).c_str(), Path(a.words.at(1)).c_str(), FALSE); };
    directives_["readonly"] = [this](const Arg& a) { SetFileAttributesA(Path(a.all).c_str(), FILE_ATTRIBUTE_READONLY); };
    directives_["writable"] = [this](const Arg& a) { SetFileAttributesA(Path(a.all).c_str(), FILE_ATTRIBUTE_NORMAL); };
    // program-in FOLDER: the program (and the simulated library) in a subfolder, started from the run's folder;
    // its name is UTF-8, so that it can lie outside the code page.
    directives_["program-in"] = [this](const Arg& a) { std::filesystem::create_directories(programFolder_ /= std::u8string(a.all.begin(), a.all.end())); };
    directives_["start"] = [this](const Arg&) { Start(); };
    directives_["repeat"] = [this](const Arg& a) {  // N LINE: the directive LINE N times
        for (int n = std::stoi(a.name); n > 0; --n) Do(a.all.substr(a.name.size() + 1), *a.block);
    };
    directives_["practice"] = [this](const Arg&) { StartPractice(); };
    directives_["file-is"] = [this](const Arg& a) {
        std::string content;
        const bool exists = ReadFile(Path(a.name), content);
        if (a.text == "absent") Check(!exists, a.name + " exists");
        else Check(exists && content == (a.text == "unchanged" ? written_[a.name] : a.text), "it holds \"" + Escape(content) + "\"");
    };
    OnConsole();
    OnRoom();
    OnEditor();
}

void Run::Do(const std::string& line, std::istream& block) {
    const size_t space = line.find(' ');
    const auto directive = directives_.find(line.substr(0, space));
    Check(directive != directives_.end(), "unknown directive");
    const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    const size_t word = argument.find(' ');
    directive->second({argument, argument.substr(0, word), word == std::string::npos ? "" : Unescape(argument.substr(word + 1)),
                       Split(argument, ' '), &block});
}

void Run::Start() {
    // Unless the case wrote its own: the transport's settings, and the
    // simulated library beside the program for the library transport.
    if (!written_.count("SCONTROL.TXT"))
        WriteFile(File("SCONTROL.TXT"), std::string("VZones 3.0\r\n0\r\n") + (library_ ? "1" : "0") + "\r\n0\r\n");
    if (library_) std::filesystem::copy_file(BesideTests("wadapi.dll"), programFolder_ / "wadapi.dll", std::filesystem::copy_options::skip_existing);
    if (room_) {
        WriteFile(File("scenario.txt"), scenario_);
        sim_ = std::make_unique<ChatSim>(folder_, std::make_unique<Program>(BesideTests("chatsim.exe"), folder_));
    }
    std::filesystem::copy_file(BesideTests("tamblo.exe"), programFolder_ / "tamblo.exe", std::filesystem::copy_options::overwrite_existing);
    app_ = std::make_unique<Program>(programFolder_ / "tamblo.exe", folder_);
    Check(app_->started(), "tamblo.exe did not start");
}

void Run::StartPractice() {
    std::error_code error;
    std::filesystem::copy(BesideTests("unpacked\\practice"), folder_, std::filesystem::copy_options::recursive, error);
    Check(!error, "no practice folder beside the runner: " + error.message());
    if (library_ && !written_.count("SCONTROL.TXT")) WriteFile(File("SCONTROL.TXT"), "VZones 3.0\r\n0\r\n1\r\n0\r\n");
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    Check(Program(std::string(system) + "\\cmd.exe", folder_, "/c practice.cmd").Exited(20000), "practice.cmd did not end");
    sim_ = std::make_unique<ChatSim>(folder_, std::make_unique<Program>(ProcessShowing("ChatSimRoom")));
    app_ = std::make_unique<Program>(ProcessShowing("Tamblo"));
}

}  // namespace e2e

namespace {

// A case: one directive a line, "keyword argument"; "#" starts a comment.
// A first line "transports dde library" runs it once in each.
int RunCase(const std::string& name) {
    using namespace e2e;
    const std::string path = BesideTests("cases\\" + name);
    std::string text;
    ReadFile(path, text);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    std::vector<bool> transports = {false};
    if (text.rfind("transports ", 0) == 0) {
        transports.clear();
        for (const std::string& name : Split(text.substr(11, text.find('\n') - 11), ' ')) transports.push_back(name == "library");
    }
    int failures = text.empty();
    for (bool library : transports) {
        std::istringstream lines(text);
        int number = 0;
        std::string line;
        try {
            e2e::Run run(name, library);
            while (std::getline(lines, line)) {
                ++number;
                if (!line.empty() && line[0] != '#' && (number > 1 || line.rfind("transports ", 0) != 0)) run.Do(line, lines);
            }
        } catch (const std::exception& failure) {
            std::printf("%s:%d (%s) %s\n  %s\n", path.c_str(), number, library ? "library" : "dde", line.c_str(), failure.what());
            ++failures;
        }
    }
    std::printf("%s: %s\n", path.c_str(), failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: e2e_runner CASE-FILE (in the cases folder beside it)\n");
        return 2;
    }
    return RunCase(argv[1]);
}
