// Fakes of the window system that record what the core asked of it, in one
// event list, so that pacing and order can be asserted exactly.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"
#include "link/dde_conduit.h"
#include "link/link.h"

namespace tamblo::testing {

class EventLog {
public:
    void Add(std::string event) {
        if (event != "yield") return events.push_back(std::move(event));
        // Runs of yields are folded into one "yield xN" entry.
        if (events.empty() || events.back().rfind("yield x", 0) != 0) {
            yieldRun_ = 0;
            events.emplace_back();
        }
        events.back() = "yield x" + std::to_string(++yieldRun_);
    }
    std::vector<std::string> events;

private:
    int yieldRun_ = 0;
};

class FakePlatform : public WindowPump, public Clock, public Desktop, public MessageBoxes {
public:
    explicit FakePlatform(EventLog& log) : log_(log) { SetPlatform({this, this, this, this}); }
    ~FakePlatform() override { SetPlatform({}); }

    // Runs at every yield, e.g. to let a callback arrive.
    std::function<void(int yieldNumber)> onYield;
    // The clock's second moves on every this many reads of the clock.
    int readsPerSecond = 1000000;
    std::vector<TopLevelWindow> windows;
    int yields = 0;
    int waits = 0;

    void YieldOnce() override {
        ++yields;
        log_.Add("yield");
        if (onYield) onYield(yields);
    }
    void WaitForInput() override { ++waits; }
    TimeOfDay Now() override { return {12, 59, clockReads_++ / readsPerSecond % 60}; }
    std::vector<TopLevelWindow> TopLevelWindows() override { return windows; }
    void Activate(WindowId window) override {
        for (const auto& w : windows)
            if (w.id == window) log_.Add("activate " + w.title);
    }
    void MakeTopmost(WindowId window) override { log_.Add("topmost " + std::to_string(window)); }
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override {
        log_.Add("box [" + title + "] " + std::to_string(static_cast<int>(icon)) + " " + text);
    }

private:
    EventLog& log_;
    int clockReads_ = 0;
};

// A chat client's DDE service as seen through the conduit windows' one
// conversation.
class FakeDdeClient : public DdeConversation, public ConduitWindowFactory {
public:
    explicit FakeDdeClient(EventLog& log) : log_(log) { SetConduitWindowFactory(*this); }

    bool serviceRunning = true;
    int failingTries = 0;  // the first this many opens fail
    std::string answer;    // what a request returns
    int windowsCreated = 0;
    ConduitFields shown;   // by the last window

    void Close() override { log_.Add("close"); }
    bool Open(const std::string& service, const std::string& topic) override {
        log_.Add("open " + service + "|" + topic);
        return serviceRunning && failingTries-- <= 0;
    }
    bool Poke(const std::string& item, const std::string& text) override {
        log_.Add("poke " + item + " " + text);
        return true;
    }
    std::optional<std::string> Request(const std::string& item) override {
        log_.Add("request " + item);
        return answer;
    }
    std::unique_ptr<ConduitWindow> Create(DdeConduit&) override {
        ++windowsCreated;
        log_.Add("create conduit");
        return std::make_unique<Window>(*this);
    }

private:
    struct Window : ConduitWindow {
        explicit Window(FakeDdeClient& client) : client(client) {}
        ~Window() override { client.log_.Add("destroy conduit"); }
        DdeConversation& Conversation() override { return client; }
        void ShowFields(const ConduitFields& fields) override { client.shown = fields; }
        FakeDdeClient& client;
    };
    EventLog& log_;
};

}  // namespace tamblo::testing
