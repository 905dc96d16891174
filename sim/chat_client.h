// What the simulated chat client does with each request of its API (DDE
// and library), apart from the transport: changes the room or answers,
// then logs it.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "request_log.h"
#include "room.h"
#include "scenario.h"

namespace chatsim {

constexpr const char* ServiceName = "WorldsApi";
constexpr const char* RegisterTopic = "WorldsApi_Register";
constexpr const char* UnregisterTopic = "WorldsApi_Unregister";
constexpr const char* CommunicateTopic = "WorldsApi_Communicate";
constexpr const char* GetAllTextTopic = "WorldsApi_GetAllText";

// Result codes of the library calls, sent as text through ProcessAckData.
namespace api_code {
constexpr int Ok = 0;
constexpr int NotInRoom = 1;
constexpr int AlreadyRegistered = 9;
constexpr int NotRegistered = 10;
constexpr int EmptyText = 11;
constexpr int NoAvatarName = 12;
}  // namespace api_code

// A library client: the library's window in the caller's process, as a
// number (0: none), so that this part needs no Windows headers.
using ApiClient = std::uintptr_t;

struct ApiAnswer {
    ApiAnswer() = default;
    explicit ApiAnswer(int code, std::optional<std::string> text = std::nullopt)
        : code(code), allText(std::move(text)) {}

    // None for an unknown call, and for GetAllText when the scenario
    // keeps it silent: then the caller hears nothing.
    std::optional<int> code;
    // GetAllText's text, delivered before the code.
    std::optional<std::string> allText;
};

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

    // A library call: its name, then its arguments as text (mode in decimal).
    ApiAnswer ApiCall(ApiClient client, const std::vector<std::string>& fields);
    // Data for the program; returns the library client to give it to: the
    // one that registered last and is still registered and initialised.
    ApiClient ApiData(const std::string& sender, const std::string& data);

    // ESPs (mode 2) that reached the room, over either transport.
    long espsSent() const { return espsSent_; }

    // Titles registered by DDE pokes; library registrations are separate.
    const std::set<std::string>& registered() const { return registered_; }

private:
    struct ApiRegistration {
        std::string appTitle;
        ApiClient client;
    };

    bool PokeEffect(const std::string& topic, const std::string& item, const std::string& data);
    void Communicate(const std::string& data);
    ApiAnswer ApiEffect(ApiClient client, const std::vector<std::string>& fields);
    int ApiCommunicate(const CommRecord& record);
    // Counts a Comm record, whatever became of it, for the scenario's
    // "after" lines.
    void CountCommRecord();
    void AddHostLine(const CommRecord& record);
    std::vector<ApiRegistration>::iterator FindApiRegistration(const std::string& appTitle);
    bool InRoom(const std::string& avatar) const;

    const Scenario& scenario_;
    Room& room_;
    RequestLog& log_;
    std::set<std::string> registered_;
    // In the order of registration.
    std::vector<ApiRegistration> apiRegistered_;
    long commRecords_ = 0;
    long espsSent_ = 0;
};

}  // namespace chatsim
