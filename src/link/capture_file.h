// The capture file that hands the fetched chat text to the sign-up intake.
#pragma once

#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/platform.h"

namespace tamblo {

inline constexpr const char* CaptureFileName = "C:\\KOBAX.TXT";

class CaptureFile {
public:
    CaptureFile(FileSystem& files, MessageBoxes& boxes) : files_(files), boxes_(boxes) {}

    // What the last fetch obtained, byte for byte what the file holds (text
    // plus CR LF), also when the file itself could not be written; nothing
    // when no text was obtained.
    const std::optional<std::string>& FetchedText() const { return fetched_; }
    void Forget() { fetched_.reset(); }

    void Delete();
    void Store(const std::string& text);

private:
    void TellProblemOnce(const std::string& what, const FileResult& result);

    FileSystem& files_;
    MessageBoxes& boxes_;
    std::optional<std::string> fetched_;
    bool problemShown_ = false;
};

}  // namespace tamblo
