// Finding top-level windows by title, as the link does when it brings the
// chat client (or the console) to the front.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"

namespace tamblo {

// The window whose title equals the text, else the first whose title begins
// with it; an empty text names no window.
std::optional<WindowId> FindWindowByTitle(const std::vector<TopLevelWindow>& windows,
                                          const std::string& title);

// False when no window has such a title.
bool BringWindowToFront(Desktop& desktop, const std::string& title);

}  // namespace tamblo
