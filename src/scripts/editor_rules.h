// The script editor's layout and rules that need no window system: where each
// control sits, how the scroll value moves, where Enter sends the focus, and
// how a line break is kept out of a box.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "common/platform.h"
#include "scripts/script_store.h"
#include "common/display_scale.h"

namespace tamblo::editor {

// The layout is given in twips, 1440 to the inch: 15 to a pixel at 96 dots
// per inch, 7.5 at 192.
int ToPixels(int twips, int dpi);

using TwipsRect = LayoutRect;

inline constexpr int ClientWidth = 7845;
inline constexpr int ClientHeight = 4170;
inline constexpr TwipsRect Frame2Rect{120, 120, 7335, 3495};
inline constexpr TwipsRect VScroll1Rect{7440, 120, 255, 3495};
inline constexpr TwipsRect Command1Rect{240, 3720, 3495, 375};
inline constexpr TwipsRect Command2Rect{4080, 3720, 3495, 375};

// The panel `Frame1`, in `Frame2`'s coordinates; its top follows the scroll value.
inline constexpr int PanelLeft = -240;
inline constexpr int PanelWidth = 7815;
inline constexpr int PanelHeight = 11000;
inline constexpr int ColumnLeft = 360;
inline constexpr int ColumnWidth = 7095;
inline constexpr int HeadingHeight = 255;
inline constexpr int BoxHeight = 285;

// Boxes are numbered by their text's place in the script file, 0 to 29.
inline constexpr int BoxCount = script_file::Lines;
inline constexpr int CreditBox = script_file::Credit;
int BoxTop(int box);

struct Heading {
    int top;
    const char* caption;
};
// `Label1` to `Label6`, top to bottom.
inline constexpr std::array<Heading, 6> Headings{{
    {360, "Opening Text"},
    {3720, "Ask For $ to Register"},
    {4200, "Confirmation Message (via ESP)"},
    {4680, "List Header"},
    {5160, "Closing Text"},
    {7080, "Picking a Winner Text"},
}};

// `VScroll1`.
inline constexpr int ScrollMin = 360;
inline constexpr int ScrollMax = 5760;
inline constexpr int SmallStep = 120;
inline constexpr int LargeStep = 540;

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Top, Bottom, ThumbTrack, ThumbPosition, EndScroll };

// The scroll bar's value after the action; a dragged thumb only counts once
// released, so tracking and the end of a scroll keep the value.
int ScrollValueAfter(int value, ScrollAction action, int thumb = 0);

// The panel's top edge in the viewport, in pixels at dpi, at a scroll value.
int PanelTopPixels(int value, int dpi);

// The box Enter moves the focus to: the next one in file order, skipping the
// credit line's box, and from the last back to the first.
int NextInEnterCycle(int box);

// A box holds one line: carriage returns and line feeds become spaces; in
// the window system's narrow or wide characters.
template <typename Char>
std::basic_string<Char> WithoutLineBreaks(const Char* text) {
    std::basic_string<Char> line(text);
    std::replace_if(line.begin(), line.end(), [](Char c) { return c == '\r' || c == '\n'; }, Char(' '));
    return line;
}

// A pasted text: the bytes of the clipboard's block up to its first NUL, or
// all of them where another program left the text without one.
inline std::string PastedText(std::string_view block) {
    return std::string(block.substr(0, block.find('\0')));
}

// The texts of the boxes the host changed; the others are saved with the
// store's text, which may hold what a box cannot (a NUL, a line feed).
using Edits = std::array<std::optional<std::string>, BoxCount>;

// "Save Changes and Return": the edits over the store's texts saved, and the
// store loaded again; true when saved. A failed save is told in a box and
// leaves the store as it was, so the host can try again.
bool SaveEdits(ScriptStore& store, const Edits& edits, MessageBoxes& boxes);

}  // namespace tamblo::editor
