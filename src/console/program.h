// The program's one owner of its state: the script store, the link to the
// chat client and the console's lists, made once at the start with the
// ports it works through.
#pragma once

#include <functional>

#include "console/console.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {

struct Ports {
    Platform platform;
    FileSystem& files;
    ApiLibrary& library;
    ConduitWindowFactory& conduitWindows;
};

class Program {
public:
    explicit Program(const Ports& ports)
        : platform(ports.platform),
          scripts(ports.files),
          link({ports.platform, ports.files, ports.library, ports.conduitWindows}) {}

    const Platform platform;
    ScriptStore scripts;
    ClientLink link;
    Console console;

    // The console's start-up, once it is centred: settings, scripts, on top,
    // registered.
    void StartUp(WindowId consoleWindow);
    // The console's close: once the link is idle, unregister and end. A
    // second close changes nothing.
    void Close(const std::function<void()>& endProgram);
    bool Closing() const { return link.Closing() || closeRequested_; }

private:
    bool closeRequested_ = false;
};

}  // namespace tamblo
