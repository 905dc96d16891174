#include "scripts/editor_rules.h"

#include <algorithm>
#include <stdexcept>

namespace tamblo::editor {

namespace {

// The winner's name is spoken between winner lines 5 and 6, hence their gap.
constexpr std::array<int, 7> WinnerTops{7320, 7560, 7800, 8040, 8280, 8640, 8880};

}  // namespace

// Nearest pixel; at 96 dpi only the panel's height (11000) is not a whole number of them.
int ToPixels(int twips, int dpi) { return ToPixelsAt(twips, TwipsPerInch, dpi); }

int BoxTop(int box) {
    using namespace script_file;
    if (box < 0 || box >= BoxCount) throw std::out_of_range("no such box");
    if (box < OpeningLines) return 600 + 240 * box;
    if (box < FirstClose) return 3960 + 480 * (box - OpeningLines);
    if (box < FirstWinner) return 5400 + 240 * (box - FirstClose);
    return WinnerTops[box - FirstWinner];
}

int ScrollValueAfter(int value, ScrollAction action, int thumb) {
    int next = value;
    switch (action) {
        case ScrollAction::LineUp: next = value - SmallStep; break;
        case ScrollAction::LineDown: next = value + SmallStep; break;
        case ScrollAction::PageUp: next = value - LargeStep; break;
        case ScrollAction::PageDown: next = value + LargeStep; break;
        case ScrollAction::Top: next = ScrollMin; break;
        case ScrollAction::Bottom: next = ScrollMax; break;
        case ScrollAction::ThumbPosition: next = thumb; break;
        case ScrollAction::ThumbTrack:
        case ScrollAction::EndScroll: break;
    }
    return std::clamp(next, ScrollMin, ScrollMax);
}

int PanelTopPixels(int value, int dpi) { return -ToPixels(value, dpi); }

int NextInEnterCycle(int box) {
    int next = (box + 1) % BoxCount;
    if (next == CreditBox) ++next;
    return next;
}

bool SaveEdits(ScriptStore& store, const Edits& edits, MessageBoxes& boxes) {
    ScriptFileTexts texts = store.Texts().ToFileOrder();
    for (int i = 0; i < BoxCount; ++i)
        if (edits[i]) texts[i] = *edits[i];
    const FileResult result = store.SaveScripts(texts);
    if (!result.ok) {
        boxes.Show(std::string("The scripts could not be saved to ") + ScriptFileName + ":\n" + result.reason +
                       "\n\nYour changes are still in the editor.",
                   "Tamblo", MessageIcon::Warning);
        return false;
    }
    store.LoadScripts();
    return true;
}

}  // namespace tamblo::editor
