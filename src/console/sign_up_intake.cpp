#include "console/sign_up_intake.h"

#include <unordered_set>

#include "common/text_rules.h"

namespace tamblo {

namespace {

constexpr std::string_view SignUpPrefix = "ESP from";

std::string ConfirmationText(const Program& program) {
    const std::string& text = program.scripts.Texts().ConfirmText;
    return text.empty() ? FallbackConfirmation : text;
}

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

bool IsStartMarker(const std::string& line, const std::string& markerText) {
    return IsMarker(line, StripView(markerText));
}

std::optional<std::string_view> SignUpName(std::string_view line) {
    if (!line.starts_with(SignUpPrefix)) return std::nullopt;
    const size_t colon = line.find(':', SignUpPrefix.size());
    if (colon == std::string_view::npos || RemainderView(line) != "$") return std::nullopt;
    return StripView(line.substr(SignUpPrefix.size(), colon - SignUpPrefix.size()));
}

// Both read the fetched text, byte for byte what the capture file holds.
void CountMarkers(Program& program) {
    Console& console = program.console;
    console.MarkerCount = 0;
    const auto& text = program.link.FetchedChatText();
    if (!text) return;
    const std::string_view marker = StripView(console.MarkerText);
    LineReader reader(*text);
    std::string line;
    while (reader.ReadLine(line)) {
        program.platform.pump.YieldOnce();
        if (!IsMarker(line, marker)) continue;
        // One more than the count can hold ends the counting there.
        if (console.MarkerCount == MaxMarkerCount) return;
        ++console.MarkerCount;
    }
}

void TakeSignUps(Program& program) {
    Console& console = program.console;
    ClientLink& link = program.link;
    BusyFrame busy(console);
    link.FetchChatText();
    console.MarkerText = program.scripts.Texts().OpeningText[script_file::Credit];
    CountMarkers(program);

    int seen = 0;
    bool accepting = console.MarkerCount == 0;
    // The rows compared stripped, exactly; kept as a set so that a long list
    // of entrants does not make every sign-up slower.
    std::unordered_set<std::string> entered;
    for (const std::string& row : console.Entrants()) entered.insert(Strip(row));

    if (const auto& text = link.FetchedChatText()) {
        const std::string_view marker = StripView(console.MarkerText);
        LineReader reader(*text);
        std::string line;
        while (reader.ReadLine(line)) {
            program.platform.pump.YieldOnce();
            if (IsMarker(line, marker) && ++seen == console.MarkerCount) accepting = true;
            if (!accepting) continue;
            const auto name = SignUpName(line);
            if (!name || !entered.emplace(*name).second) continue;
            console.InsertEntrant(std::string(*name));
            link.EspTarget = *name;
            link.EspToAvatar(ConfirmationText(program));
        }
    }
    console.SetTotalPeople(std::to_string(console.EntrantCount()));
}

}  // namespace tamblo
