#include "scenario.h"

#include <cctype>

namespace chatsim {

namespace {

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : content) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool IsBlank(const std::string& line) {
    for (char c : line) {
        if (c != ' ' && c != '\t') return false;
    }
    return true;
}

// Splits "word rest" at the first space; the rest is kept as it is.
void SplitWord(const std::string& text, std::string& word, std::string& rest) {
    const auto space = text.find(' ');
    word = text.substr(0, space);
    rest = space == std::string::npos ? "" : text.substr(space + 1);
}

bool ParseCount(const std::string& digits, long& count) {
    if (digits.empty() || digits.size() > 9) return false;
    count = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        count = count * 10 + (c - '0');
    }
    return count > 0;
}

}  // namespace

ScenarioResult ParseScenario(const std::string& content) {
    ScenarioResult result;
    Scenario& scenario = result.scenario;
    const std::vector<std::string> lines = SplitLines(content);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsBlank(line) || line[0] == '#') continue;
        std::string directive, rest;
        SplitWord(line, directive, rest);
        if (directive == "host") {
            scenario.hostAvatar = rest;
        } else if (directive == "title") {
            scenario.title = rest;
        } else if (directive == "line") {
            scenario.startLines.push_back(rest);
        } else if (directive == "after") {
            std::string number, text;
            SplitWord(rest, number, text);
            long count = 0;
            if (ParseCount(number, count)) {
                scenario.linesAfter[count].push_back(text);
            } else {
                result.errors.push_back("line " + std::to_string(i + 1) + ": \"after\" needs a count from 1: " + line);
            }
        } else if (directive == "stall" || directive == "end") {
            std::string number, ms;
            SplitWord(rest, number, ms);
            long count = 0, wait = 0;
            const bool stall = directive == "stall";
            if (ParseCount(number, count) && (stall ? ParseCount(ms, wait) : ms.empty())) {
                if (stall) scenario.stallMsAt[count] = wait;
                else scenario.endAt = count;
            } else {
                result.errors.push_back("line " + std::to_string(i + 1) + ": bad count: " + line);
            }
        } else if (directive == "refuse" && rest == "conversations") {
            scenario.refuseConversations = true;
        } else if (directive == "getalltext" && rest == "empty") {
            scenario.allText = AllTextAnswer::Empty;
        } else if (directive == "getalltext" && rest == "silent") {
            scenario.allText = AllTextAnswer::Silent;
        } else {
            result.errors.push_back("line " + std::to_string(i + 1) + ": unknown directive: " + line);
        }
    }
    return result;
}

}  // namespace chatsim
