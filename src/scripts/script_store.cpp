#include "scripts/script_store.h"

#include <algorithm>

#include "common/text_rules.h"

namespace tamblo {

const char* const CreditLine = "~*~ Tamblo prize drawing - good luck to every avatar! ~*~";

namespace {

template <typename Texts>
auto& TextAt(Texts& texts, int index) {
    using namespace script_file;
    if (index < OpeningLines) return texts.OpeningText.at(index);
    if (index == AskFor) return texts.AskForText;
    if (index == Confirm) return texts.ConfirmText;
    if (index == ListHead) return texts.ListHeadText;
    if (index < FirstWinner) return texts.CloseText.at(index - FirstClose);
    return texts.WinnerText.at(index - FirstWinner);
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
    texts.OpeningText[script_file::Credit] = CreditLine;
    texts.OpeningText[2] = "Thank you for coming!";
    texts.OpeningText[3] = "There is a limit of 1 prize per avatar and you must be present to win.";
    texts.OpeningText[4] =
        "You will be given 10 seconds to appear once a spot opens on the floor, if not you lose the "
        "prize";
    texts.AskForText = DefaultAskForText;
    texts.ConfirmText = DefaultConfirmText;
    texts.ListHeadText = DefaultListHeadText;
    texts.CloseText = {"Closing the list in 5 seconds.", "5", "4", "3", "2", "1", "The List is Closed."};
    texts.WinnerText = {"Time to Pick a Name!",    "Get Ready .... Here We GO!",
                        "SHAKING UP NAMES",        "<SHAKE> <SHAKE> <SHAKE>",
                        "The Winner is.........",  "WTG!!!",
                        "Please ghost for the winner."};
    return texts;
}

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

void ScriptStore::LoadScripts() {
    texts_ = DefaultScripts();
    if (const auto file = files_.OpenForReading(ScriptFileName)) {
        LineReader reader(*file);
        ReadRecords(reader, texts_);
    }
    texts_.OpeningText[script_file::Credit] = CreditLine;
}

FileResult ScriptStore::SaveScripts(const ScriptFileTexts& texts) {
    std::string content;
    for (const std::string& text : texts) content += AsFileLine(text);
    // Written beside the old file and swapped in whole, so a failed save
    // never leaves the host without scripts.
    const std::string saving = SavingFileName();
    FileResult result = files_.WriteAll(saving, content);
    if (result.ok) result = files_.MoveOver(saving, ScriptFileName);
    if (!result.ok) files_.Remove(saving);
    return result;
}

}  // namespace tamblo
