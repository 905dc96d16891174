#include "link/capture_file.h"

#include "link/link_settings.h"

namespace tamblo {

// The file sits at the root of C:, where a standard user may not write; the
// host hears of it once per run, and the sign-ups still come from memory.
void CaptureFile::TellProblemOnce(const std::string& what, const FileResult& result) {
    if (result.ok || problemShown_) return;
    problemShown_ = true;
    boxes_.Show("Tamblo could not " + what + " the chat text file " + CaptureFileName + ":\n" + result.reason +
                    "\n\nThe sign-ups are taken from the fetched text all the same.",
                AppTitle, MessageIcon::Warning);
}

void CaptureFile::Delete() { TellProblemOnce("delete", files_.Remove(CaptureFileName)); }

void CaptureFile::Store(const std::string& text) {
    fetched_ = text + "\r\n";
    TellProblemOnce("write", files_.WriteAll(CaptureFileName, *fetched_));
}

}  // namespace tamblo
