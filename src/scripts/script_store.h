// The 30 texts the program speaks during a drawing, and their file.
#pragma once

#include <array>
#include <string>

#include "common/file_system.h"

namespace tamblo {

inline constexpr int ScriptTextCount = 30;
inline constexpr const char* ScriptFileName = "TAMBLO.TXT";

// Opening line 2, always: the welcome speaks it and the sign-up intake finds
// the start of a drawing by it, so it must not look like anything else said
// in a room.
extern const char* const CreditLine;

using ScriptFileTexts = std::array<std::string, ScriptTextCount>;

struct ScriptTexts {
    std::array<std::string, 13> OpeningText;
    std::string AskForText;
    std::string ConfirmText;
    std::string ListHeadText;
    std::array<std::string, 7> CloseText;
    std::array<std::string, 7> WinnerText;

    // The texts by their place in the script file, 0 to 29.
    std::string& InFileOrder(int index);
    const std::string& InFileOrder(int index) const;
    ScriptFileTexts ToFileOrder() const;
};

ScriptTexts DefaultScripts();

// The process-wide store; only LoadScripts writes it.
const ScriptTexts& ScriptStore();

// Defaults, then the script file over them record by record; never fails.
void LoadScripts();

// Replaces the script file with the 30 texts, or leaves it untouched and
// says why it could not. The store is not changed either way.
FileResult SaveScripts(const ScriptFileTexts& texts);

}  // namespace tamblo
