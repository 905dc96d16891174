// A program made with fakes of every port, which log what they are asked in
// one event list; the DDE fake is the chat client's service as seen through
// the conduit window's one conversation.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "console/program.h"
#include "fake_api_library.h"
#include "fake_file_system.h"
#include "fake_platform.h"

namespace tamblo::testing {

class FakeDdeService : public DdeConversation, public ConduitWindowFactory {
public:
    explicit FakeDdeService(EventLog& log) : log_(log) {}

    bool serviceRunning = true;
    int failingTries = 0;          // the first this many opens fail
    std::string answer;            // what a request returns
    ConduitFields shown;           // by the last window
    std::function<void()> onPoke;  // runs while the poke waits for its answer

    void Close() override { log_.Add("close"); }
    bool Open(const std::string& service, const std::string& topic) override {
        log_.Add("open " + service + "|" + topic);
        return serviceRunning && failingTries-- <= 0;
    }
    bool Poke(const std::string& item, const std::string& text) override {
        log_.Add("poke " + item + " " + text);
        if (onPoke) std::exchange(onPoke, nullptr)();
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

struct FakePorts {
    EventLog log;
    FakePlatform platform{log};
    FakeFileSystem files;
    FakeApiLibrary library{log};
    FakeDdeService dde{log};
};

// The ports first, so that they outlive the program.
struct FakeProgram : FakePorts {
    Program program{{platform.Ports(), files, library, dde}};
};

}  // namespace tamblo::testing
