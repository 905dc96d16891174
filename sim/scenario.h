// The scenario file: how a run of the simulator behaves (see README.md).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace chatsim {

enum class AllTextAnswer { RoomText, Empty, Silent };

struct Scenario {
    std::string hostAvatar = "Host";
    std::string title = "VZones 3.0 - practice room";
    std::vector<std::string> startLines;
    // Room lines to add right after the N-th Comm record, N from 1.
    std::map<long, std::vector<std::string>> linesAfter;
    AllTextAnswer allText = AllTextAnswer::RoomText;
    // Faults on cue: answering the N-th Comm record only after a wait, or
    // ending right after taking it in; refusing every conversation.
    std::map<long, long> stallMsAt;
    long endAt = 0;
    bool refuseConversations = false;
};

struct ScenarioResult {
    Scenario scenario;
    // One message per line that is not a directive; empty when all are.
    std::vector<std::string> errors;
};

ScenarioResult ParseScenario(const std::string& content);

}  // namespace chatsim
