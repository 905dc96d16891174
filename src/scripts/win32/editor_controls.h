// Control identifiers of the script editor window `Tamblo2`, for tools that
// drive it from outside. The boxes lie inside `Frame1`, which lies inside
// `Frame2`: find a box with GetDlgItem three times, from the window down.
#pragma once

#include "scripts/script_store.h"

namespace tamblo::editor_controls {

inline constexpr const char* Caption = "Tamblo Program Scripts";
inline constexpr const char* ClassName = "Tamblo2";

enum Id : int {
    // Direct children of the window.
    Frame2 = 501,
    VScroll1 = 502,
    Command1 = 503,  // "Save Changes and Return"
    Command2 = 504,  // "Do Not Save Changes and Return"
    // The panel, child of Frame2.
    Frame1 = 505,
    // Headings, children of Frame1: Label1 + 0 to 5.
    Label1 = 451,
    // Boxes, children of Frame1, in the script file's order: FirstBox + n - 1
    // holds file line n.
    FirstBox = 401,
    LastBox = FirstBox + ScriptTextCount - 1,
};

// The box of the script file's line index (0 to 29).
constexpr int BoxId(int fileIndex) { return FirstBox + fileIndex; }

}  // namespace tamblo::editor_controls
