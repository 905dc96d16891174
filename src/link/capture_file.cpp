#include "link/capture_file.h"

#include "common/file_system.h"
#include "common/platform.h"
#include "link/link_settings.h"

namespace tamblo {

namespace {

std::optional<std::string> fetchedChatText;
bool problemShown = false;

// The file sits at the root of C:, where a standard user may not write; the
// host hears of it once per run, and the sign-ups still come from memory.
void TellProblemOnce(const std::string& what, const FileResult& result) {
    if (result.ok || problemShown) return;
    problemShown = true;
    Boxes().Show("Tamblo could not " + what + " the chat text file " + CaptureFileName + ":\n" +
                     result.reason + "\n\nThe sign-ups are taken from the fetched text all the same.",
                 AppTitle, MessageIcon::Warning);
}

}  // namespace

const std::optional<std::string>& FetchedChatText() { return fetchedChatText; }

void ForgetFetchedText() { fetchedChatText.reset(); }

void DeleteCaptureFile() { TellProblemOnce("delete", Files().Remove(CaptureFileName)); }

void StoreFetchedText(const std::string& text) {
    fetchedChatText = text + "\r\n";
    TellProblemOnce("write", Files().WriteAll(CaptureFileName, *fetchedChatText));
}

}  // namespace tamblo
