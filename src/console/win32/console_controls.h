// Menu command and control identifiers of the host console, for tools that
// drive it from outside.
#pragma once

namespace tamblo::console_controls {

inline constexpr const char* Caption = "Tamblo";
inline constexpr const char* ClassName = "Tamblo";

enum Id : int {
    // Menu bar, left to right.
    WelcomeMessage = 201,
    AskForESP = 202,
    GetPlayers = 203,
    CloseIt = 204,
    Scripter = 205,
    // Client area.
    List1 = 301,
    Command2 = 302,
    Command1 = 303,
    TotalPeople = 304,
    Command12 = 305,
    Label11 = 306,
    List2 = 307,
    Command17 = 308,
    Command13 = 309,
    Dummy = 310,
};

}  // namespace tamblo::console_controls
