// The room lines of a crowd of avatars signing up at once, for rehearsing a
// drawing: what a busy room gives the sign-up intake to sort out.
#pragma once

#include <string>
#include <vector>

namespace chatsim {

constexpr int MaxCrowd = 5000;

// count avatars, numbered from firstNumber so that a later crowd brings new
// names. Each signs up once, correctly; one of them has a name with spaces.
// Mixed in: ordinary chat, a repeated sign-up and a malformed one.
std::vector<std::string> CrowdLines(int count, int firstNumber);

}  // namespace chatsim
