// The script editor window `Tamblo2`: the host's copy of the 30 script texts.
#pragma once

#include <windows.h>

namespace tamblo {

// Opens the editor, or brings the open one forward keeping its edits.
void OpenScriptEditor(HINSTANCE instance, HWND console);

}  // namespace tamblo
