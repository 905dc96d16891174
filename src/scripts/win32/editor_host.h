// The script editor window `Tamblo2`: the host's copy of the 30 script texts.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "common/win32/win32_platform.h"
#include "scripts/script_store.h"

namespace tamblo {

class ScriptEditor;
struct Brushes;

// Keeps the one editor: a closed one goes when the next opens.
class ScriptEditorHost {
public:
    // Nothing is saved once `closing` says so.
    ScriptEditorHost(ScriptStore& store, Win32Platform& platform, HINSTANCE instance,
                     std::function<bool()> closing);
    ~ScriptEditorHost();

    // Opens the editor, or brings the open one forward keeping its edits.
    void Open(HWND console);

private:
    ScriptStore& store_;
    Win32Platform& platform_;
    HINSTANCE instance_;
    std::function<bool()> closing_;
    std::unique_ptr<Brushes> brushes_;
    bool registered_ = false;
    std::unique_ptr<ScriptEditor> editor_;
};

}  // namespace tamblo
