// What the chat client's library calls back with: result codes, data sent to
// the program, and the room's chat text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tamblo {

inline constexpr const char* AckBoxTitle = "ProcessAckData Response Message";

// The message for a result code; nothing for "0", which shows nothing.
std::optional<std::string> ResultMessage(const std::string& code);

int32_t ProcessAckData(const std::string& code);
int32_t ProcessReceivedData(const std::string& sender, int32_t count, const std::string& data);
int32_t ProcessAllText(const std::string& text);

}  // namespace tamblo
