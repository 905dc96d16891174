#include "chat_client.h"

namespace chatsim {

ChatClient::ChatClient(const Scenario& scenario, Room& room, RequestLog& log)
    : scenario_(scenario), room_(room), log_(log) {}

bool ChatClient::Connect(const std::string& topic) {
    log_.Write("connect", {topic});
    return topic == RegisterTopic || topic == UnregisterTopic || topic == CommunicateTopic ||
           topic == GetAllTextTopic;
}

bool ChatClient::Poke(const std::string& topic, const std::string& item, const std::string& data) {
    log_.Write("poke", {topic, item, data});
    if (item != topic) return false;
    if (topic == RegisterTopic) {
        registered_.insert(data);
    } else if (topic == UnregisterTopic) {
        registered_.erase(data);
    } else if (topic == CommunicateTopic) {
        Communicate(data);
    } else {
        return false;
    }
    return true;
}

void ChatClient::Communicate(const std::string& data) {
    // Malformed records count too: the scenario numbers the pokes.
    ++commRecords_;
    if (const auto record = ParseCommRecord(data)) {
        if (const auto line = RoomLineFor(*record, scenario_.hostAvatar)) room_.Append(*line);
    }
    const auto after = scenario_.linesAfter.find(commRecords_);
    if (after == scenario_.linesAfter.end()) return;
    for (const std::string& line : after->second) room_.Append(line);
}

std::optional<std::string> ChatClient::Request(const std::string& topic, const std::string& item) {
    log_.Write("request", {topic, item});
    if (topic != GetAllTextTopic) return std::nullopt;
    switch (scenario_.allText) {
        case AllTextAnswer::Empty: return std::string();
        case AllTextAnswer::Silent: return std::nullopt;
        default: return room_.Text();
    }
}

void ChatClient::Inject(const std::string& line) {
    log_.Write("inject", {line});
    room_.Append(line);
}

}  // namespace chatsim
