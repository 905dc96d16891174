// The few things the core asks of the window system, behind small ports so
// that its pacing (yields, waits) can be counted exactly in tests.
#pragma once

#include <cstdint>
#include <cstddef>
#include <exception>
#include <random>
#include <string>
#include <vector>

namespace tamblo {

struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    bool operator==(const TimeOfDay&) const = default;
};

using WindowId = std::uintptr_t;

struct TopLevelWindow {
    WindowId id = 0;
    std::string title;
};

class WindowPump {
public:
    virtual ~WindowPump() = default;
    // Processes, once, the window messages waiting now.
    virtual void YieldOnce() = 0;
    // Blocks until a message arrives or a few milliseconds pass, so that
    // waiting for the clock does not keep a core busy.
    virtual void WaitForInput() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay Now() = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // The visible top-level windows, in the system's z-order.
    virtual std::vector<TopLevelWindow> TopLevelWindows() = 0;
    virtual void Activate(WindowId window) = 0;
    virtual void MakeTopmost(WindowId window) = 0;
};

enum class MessageIcon { None, Information, Warning };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal: returns when the host has closed the box.
    virtual void Show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

// Picks a position below count, every one equally likely.
class Chooser {
public:
    virtual ~Chooser() = default;
    virtual size_t Choose(size_t count) = 0;
};

// Seeded from the operating system's entropy source.
class EntropyChooser : public Chooser {
public:
    EntropyChooser();
    size_t Choose(size_t count) override;

private:
    std::mt19937_64 generator_;
};

// The window system's ports, handed to every part that needs them.
struct Platform {
    WindowPump& pump;
    Clock& clock;
    Desktop& desktop;
    MessageBoxes& boxes;
};

void YieldTimes(WindowPump& pump, int count);

void ReportFailure(MessageBoxes& boxes, std::exception_ptr failure);

// Runs a window event's handler. What it throws (out of memory while copying
// a huge chat text, say) must not unwind through the window system, which
// would end the program and lose the lists: the frames it leaves clean up,
// the host is told in one plain box, and the program goes on.
template <typename Handler>
void RunReportingFailure(MessageBoxes& boxes, Handler&& handler) {
    try {
        handler();
    } catch (...) {
        ReportFailure(boxes, std::current_exception());
    }
}

}  // namespace tamblo
