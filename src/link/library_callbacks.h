// What the chat client's library calls back with: result codes, data sent to
// the program, and the room's chat text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tamblo {

inline constexpr const char* AckBoxTitle = "ProcessAckData Response Message";

// A text the library hands a callback: the byte count sits in the four bytes
// before the first byte, and a NUL follows the bytes; a null pointer is an
// empty text. The count is not trusted: the text also ends at its first NUL
// and after `available` bytes, so a wrong count never reads past the buffer.
std::string CountedText(const char* text, size_t available = SIZE_MAX);

// The message for a result code; nothing for "0", which shows nothing.
std::optional<std::string> ResultMessage(const std::string& code);

int32_t ProcessAckData(const std::string& code);
int32_t ProcessReceivedData(const std::string& sender, int32_t count, const std::string& data);
int32_t ProcessAllText(const std::string& text);

}  // namespace tamblo
