// An in-memory file system whose reads, writes and replaces can be made to fail.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "common/file_system.h"

namespace tamblo::testing {

class FakeFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    bool failWrites = false, failMoves = false;
    size_t failReadAfter = std::string::npos;  // bytes served before one read fails
    size_t readSize = 7;  // small, so that line ends fall across reads

    std::unique_ptr<FileReader> OpenForReading(const std::string& name) override {
        const auto found = files.find(name);
        if (found == files.end()) return nullptr;
        return std::make_unique<Reader>(found->second, failReadAfter, readSize);
    }
    FileResult WriteAll(const std::string& name, const std::string& content) override {
        files[name] = failWrites ? content.substr(0, content.size() / 2) : content;  // a torn write
        return failWrites ? FileResult::Failure("There is not enough space on the disk.") : FileResult{};
    }
    FileResult MoveOver(const std::string& source, const std::string& target) override {
        if (failMoves || !files.count(source)) return FileResult::Failure("Access is denied.");
        files[target] = files[source];
        files.erase(source);
        return {};
    }
    FileResult Remove(const std::string& name) override {
        files.erase(name);
        return {};
    }

private:
    struct Reader : FileReader {
        Reader(std::string content, size_t failAt, size_t readSize)
            : content(std::move(content)), failAt(failAt), readSize(readSize) {}
        size_t Read(char* buffer, size_t size) override {
            if (position == failAt) {
                failAt = std::string::npos;  // a retry would get past it
                return 0;
            }
            const size_t count = std::min({size, readSize, failAt - position, content.size() - position});
            position += content.copy(buffer, count, position);
            return count;
        }
        std::string content;
        size_t failAt, readSize, position = 0;
    };
};

}  // namespace tamblo::testing
