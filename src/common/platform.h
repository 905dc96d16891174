// The few things the core asks of the window system, behind small ports so
// that its pacing (yields, waits) can be counted exactly in tests.
#pragma once

#include <cstdint>
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

struct Platform {
    WindowPump* pump = nullptr;
    Clock* clock = nullptr;
    Desktop* desktop = nullptr;
    MessageBoxes* boxes = nullptr;
};

// Set once at start-up (tests set fakes).
void SetPlatform(const Platform& platform);
WindowPump& Pump();
Clock& TheClock();
Desktop& TheDesktop();
MessageBoxes& Boxes();

void YieldTimes(int count);

// Once the host closes the console nothing else may run: no command, no
// further close, no save, nothing a library callback would start, and no
// line but the unregister.
void SetClosing(bool closing);
bool Closing();

}  // namespace tamblo
