// The file operations the core needs, behind a port so that tests can make
// them fail and the Windows build can use the system's atomic replace.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tamblo {

struct FileResult {
    bool ok = true;
    std::string reason;  // the system's words for a failure

    static FileResult Failure(std::string why) { return {false, std::move(why)}; }
};

// An open file read from the start, a piece at a time, so that a file of any
// size needs no more memory than the caller's buffer.
class FileReader {
public:
    virtual ~FileReader() = default;
    // Up to size bytes into buffer; 0 at the end of the file. A failed read
    // also gives 0: the file ends there.
    virtual size_t Read(char* buffer, size_t size) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Nothing when the file cannot be opened.
    virtual std::unique_ptr<FileReader> OpenForReading(const std::string& name) = 0;
    // Creates or empties the file and writes content, flushed to the disk.
    virtual FileResult WriteAll(const std::string& name, const std::string& content) = 0;
    // Puts source in place of target in one step; target may exist.
    virtual FileResult MoveOver(const std::string& source, const std::string& target) = 0;
    // A file that does not exist counts as removed.
    virtual FileResult Remove(const std::string& name) = 0;
};

}  // namespace tamblo
