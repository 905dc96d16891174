// Control identifiers of the hidden DDE conduit window, for tools that drive
// it from outside.
#pragma once

namespace tamblo::conduit_controls {

inline constexpr const char* Caption = "WA DDE COMMUNICATION";
inline constexpr const char* ClassName = "WA_DDE";

enum Id : int {
    ErrorCheck = 101,
    CommMode = 102,
    AvatarName = 103,
    CommText = 104,
    Text1 = 105,
    WA_Register = 111,
    WA_Unregister = 112,
    WA_Communicate = 113,
    WA_GetAllText = 114,
};

}  // namespace tamblo::conduit_controls
