// Get-Players over arbitrary chat texts through the library transport: run
// twice on one console, over the text up to its first NUL and then all of it.
#include <cstdlib>
#include <set>

#include "common/text_rules.h"
#include "console/drawing.h"
#include "fakes.h"

using namespace tamblo;

const std::string Esp = "DapiCommunicate Tamblo|2|";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    testing::FakeProgram fake;
    testing::EventLog& log = fake.log;
    Program& program = fake.program;
    program.Link().settings.UseApiLibrary = true;
    program.Scripts().LoadScripts();
    program.Link().RegisterWithClient();
    const Console& console = program.TheConsole();
    for (const std::string& room : {input.substr(0, input.find('\0')), input}) {
        fake.library.onGetAllText = [&] { fake.library.callbacks->ProcessAllText(room); };
        log.events.clear();
        const std::vector<std::string> before = console.Entrants();
        program.Commands().TakeSignUps();
        std::set<std::string> added(console.Entrants().begin(), console.Entrants().end());
        if (added.size() != console.Entrants().size() || console.TotalPeople() != std::to_string(added.size()))
            std::abort();
        for (const std::string& name : before) added.erase(name);
        added.erase("");  // entered, but EspToAvatar sends nothing to an empty name
        // Who was confirmed: "DapiCommunicate Tamblo|2|NAME|You are on the List."
        std::vector<std::string> sent;
        for (const std::string& event : log.events)
            if (event.rfind(Esp, 0) == 0) sent.push_back(event.substr(Esp.size(), event.size() - Esp.size() - 21));
        if (std::set<std::string>(sent.begin(), sent.end()) != added || sent.size() != added.size()) std::abort();
        // In the order of the sign-up lines.
        LineReader reader(room);
        size_t next = 0;
        for (std::string line; next < sent.size() && reader.ReadLine(line);) next += SignUpName(line) == sent[next];
        if (next != sent.size()) std::abort();
    }
    return 0;
}
