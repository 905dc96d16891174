// Finding top-level windows by title, as the link does when it brings the
// chat client (or the console) to the front.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"

namespace tamblo {

// The window whose title equals the text, else the first whose title begins
// with it, comes to the front; false when there is none. An empty text names
// no window.
bool BringWindowToFront(Desktop& desktop, const std::string& title);

}  // namespace tamblo
