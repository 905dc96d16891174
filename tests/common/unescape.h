// The scripted cases' escapes: \r \n \t \f \0 \\ \xNN, and \*N for N more
// of the character before; everything else as it stands.
#pragma once

#include <string>

namespace tamblo::testing {

inline std::string Unescape(const std::string& text) {
    static const std::string Letters = "rntf0", Bytes("\r\n\t\f\0", 5);
    std::string out;
    for (size_t i = 0, digits = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) out += text[i];
        else if (text[++i] == 'x') out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else if (text[i] == '*') out.append(std::stoul(text.substr(i + 1), &digits), out.back()), i += digits;
        else out += Letters.find(text[i]) == std::string::npos ? text[i] : Bytes[Letters.find(text[i])];
    }
    return out;
}

}  // namespace tamblo::testing
