#include "room.h"

namespace chatsim {

void Room::Append(const std::string& line) {
    lines_.push_back(line);
    if (listener_) listener_(line);
}

std::string Room::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

std::optional<CommRecord> ParseCommRecord(const std::string& data) {
    constexpr char FormFeed = '\f';
    std::vector<std::string> fields(1);
    for (char c : data) {
        if (c == FormFeed) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (fields.size() != 4) return std::nullopt;
    return CommRecord{fields[0], fields[1], fields[2], fields[3]};
}

std::optional<std::string> RoomLineFor(const CommRecord& record, const std::string& hostAvatar) {
    if (record.mode == "0") return hostAvatar + ": " + record.text;
    if (record.mode == "1") return hostAvatar + " thinks: " + record.text;
    if (record.mode == "2") return "ESP to " + record.avatarName + ": " + record.text;
    return std::nullopt;
}

std::optional<std::string> SpeakerOf(const std::string& line, const std::string& hostAvatar) {
    const std::string espFrom = "ESP from ";
    std::string name;
    if (line.starts_with(espFrom)) {
        const auto colon = line.find(':', espFrom.size());
        if (colon == std::string::npos) return std::nullopt;
        name = line.substr(espFrom.size(), colon - espFrom.size());
    } else if (line.starts_with("ESP to ")) {
        return std::nullopt;
    } else {
        const auto separator = line.find(": ");
        if (separator == std::string::npos) return std::nullopt;
        name = line.substr(0, separator);
    }
    if (name.empty() || name == hostAvatar || name == hostAvatar + " thinks") return std::nullopt;
    return name;
}

}  // namespace chatsim
