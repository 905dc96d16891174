// Control identifiers of the script editor window `Tamblo2`, for tools that
// drive it from outside. The boxes lie inside `Frame1`, which lies inside
// `Frame2`: find a box with GetDlgItem three times, from the window down.
#pragma once

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
    // Boxes, children of Frame1, numbered in the script file's order: box id
    // 401 + n - 1 holds file line n.
    FirstBox = 401,
    OpeningText1 = 401,  // OpeningText box n: 401 + n - 1; box 2 (402) holds the credit line
    AskForText = 414,
    ConfirmText = 415,
    ListHeadText = 416,
    CloseText1 = 417,   // CloseText box n: 417 + n - 1
    WinnerText1 = 424,  // WinnerText box n: 424 + n - 1
    LastBox = 430,
};

constexpr int OpeningText(int n) { return OpeningText1 + n - 1; }
constexpr int CloseText(int n) { return CloseText1 + n - 1; }
constexpr int WinnerText(int n) { return WinnerText1 + n - 1; }
// The box of the script file's line index (0 to 29).
constexpr int BoxId(int fileIndex) { return FirstBox + fileIndex; }

}  // namespace tamblo::editor_controls
