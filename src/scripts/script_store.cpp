#include "scripts/script_store.h"

#include <algorithm>

#include "common/text_rules.h"

namespace tamblo {

const char* const CreditLine = "~*~ Tamblo prize drawing - good luck to every avatar! ~*~";

namespace {

constexpr int OpeningEnd = 13;
constexpr int AskForIndex = 13;
constexpr int ConfirmIndex = 14;
constexpr int ListHeadIndex = 15;
constexpr int CloseStart = 16;
constexpr int WinnerStart = 23;

ScriptTexts& MutableStore() {
    static ScriptTexts store;
    return store;
}

template <typename Texts>
auto& TextAt(Texts& texts, int index) {
    if (index < OpeningEnd) return texts.OpeningText.at(index);
    if (index == AskForIndex) return texts.AskForText;
    if (index == ConfirmIndex) return texts.ConfirmText;
    if (index == ListHeadIndex) return texts.ListHeadText;
    if (index < WinnerStart) return texts.CloseText.at(index - CloseStart);
    return texts.WinnerText.at(index - WinnerStart);
}

// One text is one file line, so a carriage return inside it would split it.
std::string AsFileLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text + "\r\n";
}

std::string SavingFileName() { return std::string(ScriptFileName) + ".saving"; }

}  // namespace

std::string& ScriptTexts::InFileOrder(int index) { return TextAt(*this, index); }
const std::string& ScriptTexts::InFileOrder(int index) const { return TextAt(*this, index); }

ScriptFileTexts ScriptTexts::ToFileOrder() const {
    ScriptFileTexts texts;
    for (int i = 0; i < ScriptTextCount; ++i) texts[i] = InFileOrder(i);
    return texts;
}

ScriptTexts DefaultScripts() {
    ScriptTexts texts;
    texts.OpeningText[0] = "Welcome to Olvan's Tamblo Drawing";
    texts.OpeningText[1] = CreditLine;
    texts.OpeningText[2] = "Thank you for coming!";
    texts.OpeningText[3] = "There is a limit of 1 prize per avatar and you must be present to win.";
    texts.OpeningText[4] =
        "You will be given 10 seconds to appear once a spot opens on the floor, if not you lose the "
        "prize";
    texts.AskForText = "Please ESP a single $ to me to be put on the List.";
    texts.ConfirmText = "You are on the List.";
    texts.ListHeadText = "The following are on the list:";
    texts.CloseText = {"Closing the list in 5 seconds.", "5", "4", "3", "2", "1", "The List is Closed."};
    texts.WinnerText = {"Time to Pick a Name!",    "Get Ready .... Here We GO!",
                        "SHAKING UP NAMES",        "<SHAKE> <SHAKE> <SHAKE>",
                        "The Winner is.........",  "WTG!!!",
                        "Please ghost for the winner."};
    return texts;
}

const ScriptTexts& ScriptStore() { return MutableStore(); }

namespace {

// The end is tested only between records: a short record keeps the texts it
// reached and leaves the rest as they were.
void ReadRecords(LineReader& reader, ScriptTexts& store) {
    std::string line;
    while (!reader.AtEnd()) {
        for (int i = 0; i < ScriptTextCount; ++i) {
            if (!reader.ReadLine(line)) return;
            store.InFileOrder(i) = Strip(line);
        }
    }
}

}  // namespace

void LoadScripts() {
    ScriptTexts& store = MutableStore();
    store = DefaultScripts();
    if (const auto file = Files().OpenForReading(ScriptFileName)) {
        LineReader reader(*file);
        ReadRecords(reader, store);
    }
    store.OpeningText[1] = CreditLine;
}

FileResult SaveScripts(const ScriptFileTexts& texts) {
    std::string content;
    for (const std::string& text : texts) content += AsFileLine(text);
    // Written beside the old file and swapped in whole, so a failed save
    // never leaves the host without scripts.
    const std::string saving = SavingFileName();
    FileResult result = Files().WriteAll(saving, content);
    if (result.ok) result = Files().MoveOver(saving, ScriptFileName);
    if (!result.ok) Files().Remove(saving);
    return result;
}

}  // namespace tamblo
