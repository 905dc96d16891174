#include "link/library_callbacks.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>


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
    return std::string(text, std::min<size_t>(count, available));
}

std::optional<std::string> ResultMessage(const std::string& code) {
    if (code == "0") return std::nullopt;
    for (const auto& [known, message] : ResultMessages)
        if (code == known) return message;
    return UnknownResultMessage;
}

}  // namespace tamblo
