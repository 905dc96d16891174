// Native benchmarks of the portable core (Google Benchmark), over a window
// system, files and chat client that do nothing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "common/file_system.h"
#include "common/platform.h"
#include "console/program.h"
#include "link/dde_conduit.h"

namespace tamblo {
namespace {

class Idle : public WindowPump, public Clock, public Desktop, public MessageBoxes, public FileSystem,
             public ApiLibrary, public EntropyChooser {
public:
    void YieldOnce() override {}
    void WaitForInput() override {}
    TimeOfDay Now() override { return {}; }
    std::vector<TopLevelWindow> TopLevelWindows() override { return {}; }
    void Activate(WindowId) override {}
    void MakeTopmost(WindowId) override {}
    void Show(const std::string&, const std::string&, MessageIcon) override {}
    std::unique_ptr<FileReader> OpenForReading(const std::string&) override { return nullptr; }
    FileResult WriteAll(const std::string&, const std::string&) override { return {}; }
    FileResult MoveOver(const std::string&, const std::string&) override { return {}; }
    FileResult Remove(const std::string&) override { return {}; }
    std::optional<std::string> Load() override { return {}; }
    void InitDDE(const std::string&, LibraryCallbacks&) override {}
    void KillDDE() override {}
    void DapiRegister(const std::string&) override {}
    void DapiUnregister(const std::string&) override {}
    void DapiGetAllText(const std::string&) override {}
    void DapiCommunicate(const std::string&, int, const std::string&, const std::string&) override {}
};

// A chat client that answers every fetch with `text` and takes every line.
class Client : public DdeConversation, public ConduitWindowFactory {
public:
    std::string text;
    void Close() override {}
    bool Open(const std::string&, const std::string&) override { return true; }
    bool Poke(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> Request(const std::string&) override { return text; }
    std::unique_ptr<ConduitWindow> Create(DdeConduit&) override { return std::make_unique<Window>(*this); }

private:
    struct Window : ConduitWindow {
        explicit Window(Client& client) : client(client) {}
        DdeConversation& Conversation() override { return client; }
        void ShowFields(const ConduitFields&) override {}
        Client& client;
    };
};

struct Bench {
    Idle idle;
    Client client;
    Program program{{{idle, idle, idle, idle}, idle, idle, client, idle}};
};

// 100,000 lines of about 20 bytes, as under Wine; every tenth a sign-up.
void IntakeScan(benchmark::State& state) {
    Bench bench;
    std::string& text = bench.client.text;
    char line[32];
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(line, sizeof line, i % 10 ? "Av%05d: hello all\r\n" : "ESP from P%06d: $\r\n", i);
        text += line;
    }
    for (auto _ : state) {
        bench.program.TheConsole().ClearEntrants();
        bench.program.Commands().TakeSignUps();
        benchmark::DoNotOptimize(bench.program.TheConsole().EntrantCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(IntakeScan)->Unit(benchmark::kMillisecond);

// 100,000 entrants of whom 99,999 have won: one is left to draw.
void PickAWinner(benchmark::State& state) {
    Bench bench;
    Console& console = bench.program.TheConsole();
    for (int i = 0; i < 100000; ++i) console.InsertEntrant("Avatar " + std::to_string(i));
    for (int i = 1; i < 100000; ++i) console.AppendWinner("Avatar " + std::to_string(i));
    for (auto _ : state) {
        bench.program.Commands().PickWinner();
        state.PauseTiming();
        console.ClearWinners();
        for (int i = 1; i < 100000; ++i) console.AppendWinner("Avatar " + std::to_string(i));
        state.ResumeTiming();
    }
}
BENCHMARK(PickAWinner)->Unit(benchmark::kMillisecond)->Iterations(20);  // each one rebuilds the list

}  // namespace
}  // namespace tamblo

BENCHMARK_MAIN();
