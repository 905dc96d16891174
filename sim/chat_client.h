// What the simulated chat client does with each request of its API, apart
// from the transport: logs it, then changes the room or answers.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "request_log.h"
#include "room.h"
#include "scenario.h"

namespace chatsim {

constexpr const char* ServiceName = "WorldsApi";
constexpr const char* RegisterTopic = "WorldsApi_Register";
constexpr const char* UnregisterTopic = "WorldsApi_Unregister";
constexpr const char* CommunicateTopic = "WorldsApi_Communicate";
constexpr const char* GetAllTextTopic = "WorldsApi_GetAllText";

class ChatClient {
public:
    ChatClient(const Scenario& scenario, Room& room, RequestLog& log);

    // True for the four topics of the API.
    bool Connect(const std::string& topic);
    // True when the poke was for a known topic and item.
    bool Poke(const std::string& topic, const std::string& item, const std::string& data);
    // Empty when the request fails.
    std::optional<std::string> Request(const std::string& topic, const std::string& item);
    // An avatar line from elsewhere: a test or the person at the window.
    void Inject(const std::string& line);

    const std::set<std::string>& registered() const { return registered_; }

private:
    void Communicate(const std::string& data);

    const Scenario& scenario_;
    Room& room_;
    RequestLog& log_;
    std::set<std::string> registered_;
    long commRecords_ = 0;
};

}  // namespace chatsim
