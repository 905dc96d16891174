// How the link reads what the chat client's library calls back with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tamblo {

inline constexpr const char* AckBoxTitle = "ProcessAckData Response Message";

// A text the library hands a callback: the byte count sits in the four bytes
// before the first byte, and a NUL follows the bytes; a null pointer is an
// empty text. The text ends at its count, a NUL inside it is one of its
// bytes; where the buffer's end is known (`available`), it ends there at
// the latest, so a wrong count never reads past the buffer.
std::string CountedText(const char* text, size_t available = SIZE_MAX);

// The message for a result code; nothing for "0", which shows nothing.
std::optional<std::string> ResultMessage(const std::string& code);

}  // namespace tamblo
