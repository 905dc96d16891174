#include "chat_client.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace chatsim {

ChatClient::ChatClient(const Scenario& scenario, Room& room, RequestLog& log)
    : scenario_(scenario), room_(room), log_(log) {}

bool ChatClient::Connect(const std::string& topic) {
    log_.Write("connect", {topic});
    if (scenario_.refuseConversations) return false;
    return topic == RegisterTopic || topic == UnregisterTopic || topic == CommunicateTopic ||
           topic == GetAllTextTopic;
}

// Logged once done: whoever sees the line finds the room file up to date.
bool ChatClient::Poke(const std::string& topic, const std::string& item, const std::string& data) {
    const bool handled = PokeEffect(topic, item, data);
    log_.Write("poke", {topic, item, data});
    return handled;
}

bool ChatClient::PokeEffect(const std::string& topic, const std::string& item, const std::string& data) {
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
    if (const auto record = ParseCommRecord(data)) AddHostLine(*record);
    // Malformed records count too: the scenario numbers the pokes.
    CountCommRecord();
}

// Counted before the line joins the room, so whoever hears of the line
// reads the new count.
void ChatClient::AddHostLine(const CommRecord& record) {
    const auto line = RoomLineFor(record, scenario_.hostAvatar);
    if (!line) return;
    if (record.mode == "2") ++espsSent_;
    room_.Append(*line);
}

void ChatClient::CountCommRecord() {
    ++commRecords_;
    // The client hangs, or dies, with the record taken in but unanswered.
    if (const auto stall = scenario_.stallMsAt.find(commRecords_); stall != scenario_.stallMsAt.end()) {
        log_.Write("stall", {std::to_string(commRecords_)});
        std::this_thread::sleep_for(std::chrono::milliseconds(stall->second));
    }
    if (commRecords_ == scenario_.endAt) {
        log_.Write("end", {std::to_string(commRecords_)});
        std::_Exit(0);
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
    room_.Append(line);
    log_.Write("inject", {line});
}

ApiAnswer ChatClient::ApiCall(ApiClient client, const std::vector<std::string>& fields) {
    const ApiAnswer answer = ApiEffect(client, fields);
    log_.WriteFields("api", fields);
    return answer;
}

ApiAnswer ChatClient::ApiEffect(ApiClient client, const std::vector<std::string>& fields) {
    using namespace api_code;
    if (fields.empty()) return {};
    const std::string& call = fields[0];
    const size_t arguments = fields.size() - 1;
    if (call == "InitDDE" && arguments == 1) return ApiAnswer(Ok);
    if (call == "KillDDE" && arguments == 0) {
        // Its registrations stay, but nothing can reach it any more.
        for (ApiRegistration& registration : apiRegistered_) {
            if (registration.client == client) registration.client = 0;
        }
        return ApiAnswer(Ok);
    }
    if (call == "DapiRegister" && arguments == 1) {
        if (FindApiRegistration(fields[1]) != apiRegistered_.end()) return ApiAnswer(AlreadyRegistered);
        apiRegistered_.push_back({fields[1], client});
        return ApiAnswer(Ok);
    }
    if (call == "DapiUnregister" && arguments == 1) {
        const auto found = FindApiRegistration(fields[1]);
        if (found == apiRegistered_.end()) return ApiAnswer(NotRegistered);
        apiRegistered_.erase(found);
        return ApiAnswer(Ok);
    }
    if (call == "DapiGetAllText" && arguments == 1) {
        if (FindApiRegistration(fields[1]) == apiRegistered_.end()) return ApiAnswer(NotRegistered);
        switch (scenario_.allText) {
            case AllTextAnswer::Empty: return ApiAnswer(Ok, std::string());
            case AllTextAnswer::Silent: return {};
            default: return ApiAnswer(Ok, room_.Text());
        }
    }
    if (call == "DapiCommunicate" && arguments == 4) {
        return ApiAnswer(ApiCommunicate(CommRecord{fields[1], fields[2], fields[3], fields[4]}));
    }
    return {};
}

int ChatClient::ApiCommunicate(const CommRecord& record) {
    using namespace api_code;
    const bool esp = record.mode == "2";
    int code = Ok;
    if (FindApiRegistration(record.appTitle) == apiRegistered_.end()) {
        code = NotRegistered;
    } else if (record.text.empty()) {
        code = EmptyText;
    } else if (esp && record.avatarName.empty()) {
        code = NoAvatarName;
    } else if (esp && !InRoom(record.avatarName)) {
        code = NotInRoom;
    }
    if (code == Ok) AddHostLine(record);
    CountCommRecord();
    return code;
}

std::vector<ChatClient::ApiRegistration>::iterator ChatClient::FindApiRegistration(const std::string& appTitle) {
    for (auto it = apiRegistered_.begin(); it != apiRegistered_.end(); ++it) {
        if (it->appTitle == appTitle) return it;
    }
    return apiRegistered_.end();
}

bool ChatClient::InRoom(const std::string& avatar) const {
    for (const std::string& line : room_.lines()) {
        if (SpeakerOf(line, scenario_.hostAvatar) == avatar) return true;
    }
    return false;
}

ApiClient ChatClient::ApiData(const std::string& sender, const std::string& data) {
    log_.Write("api-data", {sender, data});
    for (auto it = apiRegistered_.rbegin(); it != apiRegistered_.rend(); ++it) {
        if (it->client) return it->client;
    }
    return 0;
}

}  // namespace chatsim
