// The room's chat text and the Comm record that changes it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace chatsim {

class Room {
public:
    using Listener = std::function<void(const std::string& line)>;

    void Append(const std::string& line);
    // Every line followed by CR LF.
    std::string Text() const;
    const std::vector<std::string>& lines() const { return lines_; }
    // Called after each appended line.
    void OnAppend(Listener listener) { listener_ = std::move(listener); }

private:
    std::vector<std::string> lines_;
    Listener listener_;
};

// A Communicate poke's data: title, mode digit, avatar name and text,
// joined by form feeds.
struct CommRecord {
    std::string appTitle;
    std::string mode;
    std::string avatarName;
    std::string text;
};

// Empty unless the data splits into exactly four fields.
std::optional<CommRecord> ParseCommRecord(const std::string& data);

// The room line a record makes when the host sends it; empty for an
// unknown mode.
std::optional<std::string> RoomLineFor(const CommRecord& record, const std::string& hostAvatar);

// The avatar a room line shows speaking: <name> in "ESP from <name>: ..."
// (up to the first colon) or in "<name>: ..." (up to the first ": ").
// Nobody for lines of the host's own kinds: "<host>: ", "<host> thinks: "
// and "ESP to ".
std::optional<std::string> SpeakerOf(const std::string& line, const std::string& hostAvatar);

}  // namespace chatsim
