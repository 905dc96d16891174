// Files through the Windows API, so that a save replaces the old file in one
// step and failures carry the system's own message.
#pragma once

#include "common/file_system.h"

namespace tamblo {

class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<FileReader> OpenForReading(const std::string& name) override;
    FileResult WriteAll(const std::string& name, const std::string& content) override;
    FileResult MoveOver(const std::string& source, const std::string& target) override;
    FileResult Remove(const std::string& name) override;
};

}  // namespace tamblo
