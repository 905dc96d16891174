#include "link/library_callbacks.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "common/platform.h"
#include "link/link_settings.h"

namespace tamblo {

namespace {

const std::array<std::pair<const char*, const char*>, 17> ResultMessages = {{
    {"1", "1- Target avatar is not logged on"},
    {"2", "2 - Your avatar not allowed to send/receive API messages"},
    {"3", "3 - Target avatar is not allowed to send/receive API messages"},
    {"4", "4 - You are in a region that does not allow API messages"},
    {"5", "5 - Target avatar is in a region that does not allow API messages"},
    {"6", "6 - Your avatar is currently busy"},
    {"7", "7 - Target avatar is currently busy"},
    {"8", "8 - Too many names already registered"},
    {"9", "9 - App.Title already registered"},
    {"10", "10 - App.Title was not registered"},
    {"11", "11 - No text was specified"},
    {"12", "12 - Mode was ESP but no avatar name was specified"},
    {"13", "13 - Mode was speak or think but your avatar is a ghost"},
    {"14", "14 - One or more arguments are missing"},
    {"15", "15 - Data length below zero"},
    {"16", "16 - No data was specified"},
    {"17", "17 - You are not logged in yet"},
}};

constexpr const char* UnknownResultMessage = "99 - Unknown error occured";

}  // namespace

std::string CountedText(const char* text, size_t available) {
    if (!text) return {};
    uint32_t count = 0;
    std::memcpy(&count, text - sizeof count, sizeof count);
    const size_t limit = std::min<size_t>(count, available);
    size_t length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return std::string(text, length);
}

std::optional<std::string> ResultMessage(const std::string& code) {
    if (code == "0") return std::nullopt;
    for (const auto& [known, message] : ResultMessages)
        if (code == known) return message;
    return UnknownResultMessage;
}

// While the program closes, nothing the library says may open a box or
// feed a fetch.
int32_t ProcessAckData(const std::string& code) {
    if (Closing()) return 0;
    if (const auto message = ResultMessage(code)) Boxes().Show(*message, AckBoxTitle, MessageIcon::Information);
    return 0;
}

int32_t ProcessReceivedData(const std::string& sender, int32_t, const std::string& data) {
    if (Closing()) return 0;
    Boxes().Show("Data received from " + sender + ": " + data, AppTitle, MessageIcon::None);
    return 0;
}

int32_t ProcessAllText(const std::string& text) {
    if (Closing()) return 0;
    Link().ApiChatText = text;
    return 0;
}

}  // namespace tamblo
