#include "link/client_window.h"

namespace tamblo {

namespace {

std::optional<WindowId> FindWindowByTitle(const std::vector<TopLevelWindow>& windows,
                                          const std::string& title) {
    // Every title begins with the empty one: it would pick some other
    // program's untitled window.
    if (title.empty()) return std::nullopt;
    for (const TopLevelWindow& window : windows)
        if (window.title == title) return window.id;
    for (const TopLevelWindow& window : windows)
        if (window.title.compare(0, title.size(), title) == 0) return window.id;
    return std::nullopt;
}

}  // namespace

bool BringWindowToFront(Desktop& desktop, const std::string& title) {
    const std::optional<WindowId> window = FindWindowByTitle(desktop.TopLevelWindows(), title);
    if (!window) return false;
    desktop.Activate(*window);
    return true;
}

}  // namespace tamblo
