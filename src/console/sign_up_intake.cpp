#include <unordered_set>

#include "common/text_rules.h"
#include "console/drawing.h"

namespace tamblo {

namespace {

constexpr std::string_view SignUpPrefix = "ESP from";

// The scan looks at every line twice: views, so that no line costs a copy.
// The text after the line's first colon, stripped; nothing without a colon.
std::optional<std::string_view> RemainderView(std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return StripView(line.substr(colon + 1));
}

bool IsMarker(std::string_view line, std::string_view strippedMarker) {
    const auto remainder = RemainderView(line);
    return remainder && *remainder == strippedMarker;
}

}  // namespace

// A library text is counted, so a NUL can stand inside a line, and a lone
// line feed does not end one: a name holding either would be shown, spoken
// and confirmed cut short or broken, as another entrant's double.
std::optional<std::string_view> SignUpName(std::string_view line) {
    if (!line.starts_with(SignUpPrefix)) return std::nullopt;
    const size_t colon = line.find(':', SignUpPrefix.size());
    if (colon == std::string_view::npos || RemainderView(line) != "$") return std::nullopt;
    const std::string_view name = StripView(line.substr(SignUpPrefix.size(), colon - SignUpPrefix.size()));
    if (name.find_first_of(std::string_view("\0\n", 2)) != std::string_view::npos) return std::nullopt;
    return name;
}

// Read when it is sent: a save during the intake counts from the next one.
std::string Drawing::ConfirmationText() const {
    const std::string& text = scripts_.Texts().ConfirmText;
    return text.empty() ? FallbackConfirmation : text;
}

// Both read the fetched text, byte for byte what the capture file holds.
void Drawing::CountMarkers() {
    console_.MarkerCount = 0;
    const auto& text = link_.FetchedChatText();
    if (!text) return;
    const std::string_view marker = StripView(console_.MarkerText);
    LineReader reader(*text);
    std::string line;
    while (reader.ReadLine(line)) {
        pump_.YieldOnce();
        if (!IsMarker(line, marker)) continue;
        // One more than the count can hold ends the counting there.
        if (console_.MarkerCount == MaxMarkerCount) return;
        ++console_.MarkerCount;
    }
}

void Drawing::TakeSignUps() {
    BusyFrame busy(console_);
    link_.FetchChatText();
    console_.MarkerText = scripts_.Texts().OpeningText[script_file::Credit];
    CountMarkers();

    int seen = 0;
    bool accepting = console_.MarkerCount == 0;
    // The rows compared stripped, exactly; kept as a set so that a long list
    // of entrants does not make every sign-up slower.
    std::unordered_set<std::string> entered;
    for (const std::string& row : console_.Entrants()) entered.insert(Strip(row));

    if (const auto& text = link_.FetchedChatText()) {
        const std::string_view marker = StripView(console_.MarkerText);
        LineReader reader(*text);
        std::string line;
        while (reader.ReadLine(line)) {
            pump_.YieldOnce();
            if (IsMarker(line, marker) && ++seen == console_.MarkerCount) accepting = true;
            if (!accepting) continue;
            const auto name = SignUpName(line);
            if (!name || !entered.emplace(*name).second) continue;
            console_.InsertEntrant(std::string(*name));
            link_.EspTarget = *name;
            link_.EspToAvatar(ConfirmationText());
        }
    }
    console_.SetTotalPeople(std::to_string(console_.EntrantCount()));
}

}  // namespace tamblo
