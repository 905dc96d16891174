// The fixed pacing by which the link keeps the windows responsive.
#pragma once

namespace tamblo {

inline constexpr int YieldsBeforeLine = 12;
inline constexpr int YieldsAfterLibraryCall = 24;
inline constexpr int YieldsBeforeFetchAttempt = 12;
inline constexpr int FetchAttempts = 5;
inline constexpr int YieldsPerClockLook = 24;

}  // namespace tamblo
