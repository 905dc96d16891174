// The capture file that hands the fetched chat text to the sign-up intake.
#pragma once

#include <optional>
#include <string>

namespace tamblo {

inline constexpr const char* CaptureFileName = "C:\\KOBAX.TXT";

// What the last fetch obtained, byte for byte what the capture file holds
// (text plus CR LF), also when the file itself could not be written; nothing
// when no text was obtained.
const std::optional<std::string>& FetchedChatText();
void ForgetFetchedText();

void DeleteCaptureFile();
void StoreFetchedText(const std::string& text);

}  // namespace tamblo
