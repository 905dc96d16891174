#include "crowd.h"

#include <array>

namespace chatsim {

namespace {

constexpr std::array<const char*, 16> FirstNames = {"Mira", "Tobin", "Sage", "Wren",  "Pike", "Lola", "Jory", "Nell",
                                                    "Otto", "Bea",   "Rafe", "Ivy",   "Dash", "Cleo", "Finn", "Juno"};
constexpr std::array<const char*, 6> Chatter = {"hi all", "good luck everyone", "is this the drawing?",
                                                "what do I send?", "brb", "yay prizes"};

// Every tenth name, the first included, has a space in it.
std::string NameOf(int number, int index) {
    std::string name = FirstNames[number % FirstNames.size()];
    if (index % 10 == 0) name += " Lind";
    return name + std::to_string(number);
}

std::string SignUp(const std::string& name) { return "ESP from " + name + ": $"; }

}  // namespace

std::vector<std::string> CrowdLines(int count, int firstNumber) {
    std::vector<std::string> lines;
    for (int index = 0; index < count; ++index) {
        const std::string name = NameOf(firstNumber + index, index);
        if (index % 25 == 0) lines.push_back(name + ": " + Chatter[(index / 25) % Chatter.size()]);
        // A slip the avatar puts right: no colon, then the real sign-up.
        if (index == count - 1) lines.push_back("ESP from " + name + " $");
        lines.push_back(SignUp(name));
    }
    if (count > 0) lines.push_back(SignUp(NameOf(firstNumber, 0)));
    return lines;
}

}  // namespace chatsim
