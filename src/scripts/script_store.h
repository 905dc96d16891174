// The 30 texts the program speaks during a drawing, and their file.
#pragma once

#include <array>
#include <string>

#include "common/file_system.h"

namespace tamblo {

inline constexpr const char* ScriptFileName = "TAMBLO.TXT";

// The script file's lines, 0 to 29, and so the editor's boxes.
namespace script_file {
inline constexpr int OpeningLines = 13;
inline constexpr int AskFor = 13;
inline constexpr int Confirm = 14;
inline constexpr int ListHead = 15;
inline constexpr int FirstClose = 16;
inline constexpr int FirstWinner = 23;
inline constexpr int Lines = 30;
// Opening line 2.
inline constexpr int Credit = 1;
}  // namespace script_file

inline constexpr int ScriptTextCount = script_file::Lines;

// Opening line 2, always: the welcome speaks it and the sign-up intake finds
// the start of a drawing by it, so it must not look like anything else said
// in a room.
extern const char* const CreditLine;

// The defaults that commands also speak when a text is emptied.
inline constexpr const char* DefaultAskForText = "Please ESP a single $ to me to be put on the List.";
inline constexpr const char* DefaultConfirmText = "You are on the List.";
inline constexpr const char* DefaultListHeadText = "The following are on the list:";

using ScriptFileTexts = std::array<std::string, ScriptTextCount>;

struct ScriptTexts {
    std::array<std::string, script_file::OpeningLines> OpeningText;
    std::string AskForText;
    std::string ConfirmText;
    std::string ListHeadText;
    std::array<std::string, script_file::FirstWinner - script_file::FirstClose> CloseText;
    std::array<std::string, script_file::Lines - script_file::FirstWinner> WinnerText;

    // The texts by their place in the script file, 0 to 29.
    std::string& InFileOrder(int index);
    const std::string& InFileOrder(int index) const;
    ScriptFileTexts ToFileOrder() const;
};

ScriptTexts DefaultScripts();

// The program's one store of the texts; only LoadScripts writes it.
class ScriptStore {
public:
    explicit ScriptStore(FileSystem& files) : files_(files) {}

    const ScriptTexts& Texts() const { return texts_; }

    // Defaults, then the script file over them record by record; never fails.
    void LoadScripts();

    // Replaces the script file with the 30 texts, or leaves it untouched and
    // says why it could not. The store is not changed either way.
    FileResult SaveScripts(const ScriptFileTexts& texts);

private:
    FileSystem& files_;
    ScriptTexts texts_;
};

}  // namespace tamblo
