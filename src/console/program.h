// The program's one owner of its state: the script store, the link to the
// chat client, the console's lists and the drawing's commands over them,
// made once at the start with the ports they work through.
#pragma once

#include <functional>

#include "common/file_system.h"
#include "common/platform.h"
#include "console/console.h"
#include "console/drawing.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {

struct Ports {
    Platform platform;
    FileSystem& files;
    ApiLibrary& library;
    ConduitWindowFactory& conduitWindows;
    Chooser& chooser;
};

class Program {
public:
    explicit Program(const Ports& ports)
        : scripts_(ports.files),
          link_(ports.platform, ports.files, ports.library, ports.conduitWindows),
          drawing_(scripts_, link_, console_, ports.platform.pump, ports.chooser) {}

    ScriptStore& Scripts() { return scripts_; }
    ClientLink& Link() { return link_; }
    Console& TheConsole() { return console_; }
    Drawing& Commands() { return drawing_; }

    // The console's start-up, once it is centred: settings, scripts, on top,
    // registered.
    void StartUp(WindowId consoleWindow);
    // The console's close: once the link is idle, unregister and end; the
    // end comes at once, also from inside a running command's yields.
    void Close(std::function<void()> endProgram) { link_.Close(std::move(endProgram)); }
    bool Closing() const { return link_.Closing(); }

private:
    ScriptStore scripts_;
    ClientLink link_;
    Console console_;
    Drawing drawing_;
};

}  // namespace tamblo
