#include "scripts/win32/editor_host.h"

#include "scripts/win32/editor_window.h"

namespace tamblo {

ScriptEditorHost::ScriptEditorHost(ScriptStore& store, Win32Platform& platform, HINSTANCE instance,
                                   std::function<bool()> closing)
    : store_(store),
      platform_(platform),
      instance_(instance),
      closing_(std::move(closing)),
      brushes_(std::make_unique<Brushes>()) {
    registered_ = ScriptEditor::RegisterClasses(instance, brushes_->cyan);
}

ScriptEditorHost::~ScriptEditorHost() = default;

void ScriptEditorHost::Open(HWND console) {
    if (editor_ && editor_->IsOpen()) {
        editor_->BringForward();
        return;
    }
    if (!registered_) return;
    // The closed one has no frame left on the stack: this runs in the console's.
    editor_ = std::make_unique<ScriptEditor>(ScriptEditor::Context{store_, platform_, *brushes_, closing_}, console);
    if (!editor_->Create(instance_)) editor_.reset();
}

}  // namespace tamblo
