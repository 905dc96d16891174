// Get-Players over arbitrary chat texts, run twice on one console (the input
// split at its first NUL), through the library transport with fakes.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "common/text_rules.h"
#include "console/sign_up_intake.h"
#include "fake_api_library.h"
#include "fake_file_system.h"
#include "fake_platform.h"
#include "link/library_callbacks.h"
#include "link/link.h"
#include "scripts/script_store.h"

using namespace tamblo;

namespace {

// Confirmed names in the order sent; checks the runs' invariants.
void Run(Console& console, testing::EventLog& log, const std::string& room) {
    const std::set<std::string> before(console.Entrants().begin(), console.Entrants().end());
    log.events.clear();
    TakeSignUps(console);
    const std::string head = "DapiCommunicate Tamblo|2|", tail = std::string("|") + FallbackConfirmation;
    std::vector<std::string> confirmed;
    for (const std::string& event : log.events)
        if (event.rfind(head, 0) == 0) confirmed.push_back(event.substr(head.size(), event.size() - head.size() - tail.size()));

    const std::set<std::string> after(console.Entrants().begin(), console.Entrants().end());
    if (after.size() != console.Entrants().size()) std::abort();  // duplicate rows
    if (console.TotalPeople() != std::to_string(console.EntrantCount())) std::abort();
    std::set<std::string> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::inserter(added, added.end()));
    added.erase("");  // entered, but EspToAvatar sends nothing to an empty name
    if (std::set<std::string>(confirmed.begin(), confirmed.end()) != added || confirmed.size() != added.size()) std::abort();
    // The confirmations follow the sign-up lines' order.
    LineReader reader(room);
    std::string line;
    size_t next = 0;
    while (next < confirmed.size() && reader.ReadLine(line))
        if (SignUpName(line) == confirmed[next]) ++next;
    if (next != confirmed.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    testing::EventLog log;
    testing::FakePlatform platform{log};
    testing::FakeApiLibrary library{log};
    testing::FakeFileSystem files;
    Link() = LinkState{};
    Link().UseApiLibrary = true;
    LoadScripts();
    RegisterWithClient();
    Console console;
    const size_t nul = std::min(input.find('\0'), input.size());
    for (const std::string& room : {input.substr(0, nul), input}) {
        library.onGetAllText = [&room] { ProcessAllText(room); };
        Run(console, log, room);
    }
    return 0;
}
