#include "console/sign_up_intake.h"

#include <unordered_set>

#include "common/platform.h"
#include "common/text_rules.h"
#include "link/link.h"
#include "scripts/script_store.h"

namespace tamblo {

namespace {

constexpr std::string_view SignUpPrefix = "ESP from";

// The fetched text, byte for byte what the capture file holds; none when
// nothing was fetched.
const std::optional<std::string>& CaptureText() { return FetchedChatText(); }

std::string ConfirmationText() {
    const std::string& text = ScriptStore().ConfirmText;
    return text.empty() ? FallbackConfirmation : text;
}

}  // namespace

std::optional<std::string> Remainder(const std::string& line) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) return std::nullopt;
    return Strip(std::string_view(line).substr(colon + 1));
}

bool IsStartMarker(const std::string& line, const std::string& markerText) {
    const auto remainder = Remainder(line);
    return remainder && *remainder == Strip(markerText);
}

std::optional<std::string> SignUpName(const std::string& line) {
    if (line.compare(0, SignUpPrefix.size(), SignUpPrefix) != 0) return std::nullopt;
    const size_t colon = line.find(':', SignUpPrefix.size());
    if (colon == std::string::npos) return std::nullopt;
    if (Remainder(line) != "$") return std::nullopt;
    return Strip(std::string_view(line).substr(SignUpPrefix.size(), colon - SignUpPrefix.size()));
}

void CountMarkers(Console& console) {
    console.MarkerCount = 0;
    const auto& text = CaptureText();
    if (!text) return;
    LineReader reader(*text);
    std::string line;
    while (reader.ReadLine(line)) {
        Pump().YieldOnce();
        if (!IsStartMarker(line, console.MarkerText)) continue;
        // One more than the count can hold ends the counting there.
        if (console.MarkerCount == MaxMarkerCount) return;
        ++console.MarkerCount;
    }
}

void TakeSignUps(Console& console) {
    BusyFrame busy(console);
    FetchChatText();
    console.MarkerText = ScriptStore().OpeningText[1];
    CountMarkers(console);

    int seen = 0;
    bool accepting = console.MarkerCount == 0;
    // The rows compared stripped, exactly; kept as a set so that a long list
    // of entrants does not make every sign-up slower.
    std::unordered_set<std::string> entered;
    for (const std::string& row : console.Entrants()) entered.insert(Strip(row));

    if (const auto& text = CaptureText()) {
        LineReader reader(*text);
        std::string line;
        while (reader.ReadLine(line)) {
            Pump().YieldOnce();
            if (IsStartMarker(line, console.MarkerText) && ++seen == console.MarkerCount) accepting = true;
            if (!accepting) continue;
            const auto name = SignUpName(line);
            if (!name || !entered.insert(*name).second) continue;
            console.InsertEntrant(*name);
            EspTarget() = *name;
            EspToAvatar(ConfirmationText());
        }
    }
    console.SetTotalPeople(std::to_string(console.EntrantCount()));
}

}  // namespace tamblo
