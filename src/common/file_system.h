// The file operations the core needs, behind a port so that tests can make
// them fail and the Windows build can use the system's atomic replace.
#pragma once

#include <optional>
#include <string>

namespace tamblo {

struct FileResult {
    bool ok = true;
    std::string reason;  // the system's words for a failure

    static FileResult Failure(std::string why) { return {false, std::move(why)}; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole content of a file by name, or nothing when it cannot be read.
    virtual std::optional<std::string> ReadAll(const std::string& name) = 0;
    // Creates or empties the file and writes content, flushed to the disk.
    virtual FileResult WriteAll(const std::string& name, const std::string& content) = 0;
    // Puts source in place of target in one step; target may exist.
    virtual FileResult MoveOver(const std::string& source, const std::string& target) = 0;
    // A file that does not exist counts as removed.
    virtual FileResult Remove(const std::string& name) = 0;
};

// The file system every part of the program uses; set once at start-up.
FileSystem& Files();
void SetFiles(FileSystem* files);  // nullptr: standard C++ files

// Standard C++ files; replacing relies on rename() replacing the target,
// which holds on POSIX systems.
class StdFileSystem : public FileSystem {
public:
    std::optional<std::string> ReadAll(const std::string& name) override;
    FileResult WriteAll(const std::string& name, const std::string& content) override;
    FileResult MoveOver(const std::string& source, const std::string& target) override;
    FileResult Remove(const std::string& name) override;
};

}  // namespace tamblo
