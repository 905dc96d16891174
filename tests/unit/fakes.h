// A program made with fakes of every port: an in-memory file system whose
// reads, writes and replaces can be made to fail, and fakes of the window
// system, the chat-client library and its DDE service that record what the
// core asks of them in one event list, so that pacing and order can be
// asserted exactly.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/file_system.h"
#include "common/platform.h"
#include "console/program.h"
#include "link/api_library.h"

namespace tamblo::testing {

class FakeFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    bool failWrites = false, failMoves = false;
    size_t failReadAfter = std::string::npos;  // bytes served before one read fails
    size_t readSize = 7;  // small, so that line ends fall across reads

    std::unique_ptr<FileReader> OpenForReading(const std::string& name) override {
        const auto found = files.find(name);
        if (found == files.end()) return nullptr;
        return std::make_unique<Reader>(found->second, failReadAfter, readSize);
    }
    FileResult WriteAll(const std::string& name, const std::string& content) override {
        files[name] = failWrites ? content.substr(0, content.size() / 2) : content;  // a torn write
        return failWrites ? FileResult::Failure("There is not enough space on the disk.") : FileResult{};
    }
    FileResult MoveOver(const std::string& source, const std::string& target) override {
        if (failMoves || !files.count(source)) return FileResult::Failure("Access is denied.");
        files[target] = files[source];
        files.erase(source);
        return {};
    }
    FileResult Remove(const std::string& name) override {
        files.erase(name);
        return {};
    }

private:
    struct Reader : FileReader {
        Reader(std::string content, size_t failAt, size_t readSize)
            : content(std::move(content)), failAt(failAt), readSize(readSize) {}
        size_t Read(char* buffer, size_t size) override {
            if (position == failAt) {
                failAt = std::string::npos;  // a retry would get past it
                return 0;
            }
            const size_t count = std::min({size, readSize, failAt - position, content.size() - position});
            position += content.copy(buffer, count, position);
            return count;
        }
        std::string content;
        size_t failAt, readSize, position = 0;
    };
};

struct EventLog {
    // Runs of yields are folded into one "yield xN" entry.
    void Add(const std::string& event) {
        if (event == "yield" && !events.empty() && events.back().rfind("yield x", 0) == 0)
            events.back() = "yield x" + std::to_string(std::stoi(events.back().substr(7)) + 1);
        else
            events.push_back(event == "yield" ? "yield x1" : event);
    }
    long Count(const std::string& event) const { return std::count(events.begin(), events.end(), event); }
    std::vector<std::string> events;
};

class FakePlatform : public WindowPump, public Clock, public Desktop, public MessageBoxes {
public:
    explicit FakePlatform(EventLog& log) : log_(log) {}
    Platform Ports() { return {*this, *this, *this, *this}; }

    std::function<void(int yieldNumber)> onYield;  // e.g. to let a callback arrive
    int readsPerSecond = 1;  // the clock's second moves on every this many reads
    std::vector<TopLevelWindow> windows;
    int yields = 0, waits = 0;

    void YieldOnce() override {
        log_.Add("yield");
        ++yields;
        if (onYield) onYield(yields);
    }
    void WaitForInput() override { ++waits; }
    TimeOfDay Now() override { return {12, 59, clockReads_++ / readsPerSecond % 60}; }
    std::vector<TopLevelWindow> TopLevelWindows() override { return windows; }
    void Activate(WindowId id) override {
        for (const auto& window : windows) if (window.id == id) log_.Add("activate " + window.title);
    }
    void MakeTopmost(WindowId id) override { log_.Add("topmost " + std::to_string(id)); }
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override {
        log_.Add("box [" + title + "] " + std::to_string(static_cast<int>(icon)) + " " + text);
        if (onBox) std::exchange(onBox, nullptr)();
    }
    std::function<void()> onBox;  // runs while the next box is open

private:
    EventLog& log_;
    int clockReads_ = 0;
};

// A chat-client library that records its calls and answers through the
// program's callbacks when told to.
class FakeApiLibrary : public ApiLibrary {
public:
    explicit FakeApiLibrary(EventLog& log) : log_(log) {}

    std::optional<std::string> loadFailure;
    // Runs inside DapiGetAllText, e.g. to deliver text at once or to arrange
    // a later delivery.
    std::function<void()> onGetAllText;

    std::optional<std::string> Load() override {
        log_.Add("load");
        return loadFailure;
    }
    // As the program handed them over, until KillDDE.
    LibraryCallbacks* callbacks = nullptr;

    void InitDDE(const std::string& appTitle, LibraryCallbacks& program) override {
        log_.Add("InitDDE " + appTitle);
        callbacks = &program;
    }
    void KillDDE() override {
        log_.Add("KillDDE");
        callbacks = nullptr;
    }
    void DapiRegister(const std::string& appTitle) override { log_.Add("DapiRegister " + appTitle); }
    void DapiUnregister(const std::string& appTitle) override {
        log_.Add("DapiUnregister " + appTitle);
        if (onUnregister) onUnregister();
    }
    std::function<void()> onUnregister;  // e.g. the client's answer to it
    void DapiGetAllText(const std::string& appTitle) override {
        log_.Add("DapiGetAllText " + appTitle);
        if (onGetAllText) onGetAllText();
    }
    void DapiCommunicate(const std::string& appTitle, int mode, const std::string& avatarName,
                         const std::string& text) override {
        log_.Add("DapiCommunicate " + appTitle + "|" + std::to_string(mode) + "|" + avatarName + "|" + text);
        if (onLine) onLine();
    }
    std::function<void()> onLine;  // runs as each line is sent

private:
    EventLog& log_;
};

// The chat client's DDE service as seen through the conduit window's one
// conversation.
class FakeDdeService : public DdeConversation, public ConduitWindowFactory {
public:
    explicit FakeDdeService(EventLog& log) : log_(log) {}

    bool serviceRunning = true;
    int failingTries = 0;          // the first this many opens fail
    std::string answer;            // what a request returns
    ConduitFields shown;           // by the last window
    std::function<void()> onPoke;  // runs while the poke waits for its answer
    std::function<void()> onLine;  // runs as each line is poked

    void Close() override { log_.Add("close"); }
    bool Open(const std::string& service, const std::string& topic) override {
        log_.Add("open " + service + "|" + topic);
        return serviceRunning && failingTries-- <= 0;
    }
    bool Poke(const std::string& item, const std::string& text) override {
        log_.Add("poke " + item + " " + text);
        if (onLine && item == "WorldsApi_Communicate") onLine();
        if (!onPoke) return true;
        std::exchange(onPoke, nullptr)();
        log_.Add("answered");
        return true;
    }
    std::optional<std::string> Request(const std::string& item) override {
        log_.Add("request " + item);
        return answer;
    }
    std::unique_ptr<ConduitWindow> Create(DdeConduit&) override {
        log_.Add("create conduit");
        return std::make_unique<Window>(*this);
    }

private:
    struct Window : ConduitWindow {
        explicit Window(FakeDdeService& service) : service(service) {}
        ~Window() override { service.log_.Add("destroy conduit"); }
        DdeConversation& Conversation() override { return service; }
        void ShowFields(const ConduitFields& fields) override { service.shown = fields; }
        FakeDdeService& service;
    };
    EventLog& log_;
};

// The draw's chooser: the first eligible entrant, the counts it was asked with kept.
struct FakeChooser : Chooser {
    size_t Choose(size_t count) override {
        counts.push_back(std::to_string(count));
        return 0;
    }
    std::vector<std::string> counts;
};

// The ports first, so that they outlive the program.
struct FakeProgram {
    EventLog log;
    FakePlatform platform{log};
    FakeFileSystem files;
    FakeApiLibrary library{log};
    FakeDdeService dde{log};
    FakeChooser chooser;
    Program program{{platform.Ports(), files, library, dde, chooser}};
};

}  // namespace tamblo::testing
