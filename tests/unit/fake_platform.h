// Fakes of the window system that record what the core asked of it, in one
// event list, so that pacing and order can be asserted exactly.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/platform.h"

namespace tamblo::testing {

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
    int readsPerSecond = 1000000;  // the clock's second moves on every this many reads
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
    }

private:
    EventLog& log_;
    int clockReads_ = 0;
};

}  // namespace tamblo::testing
