// An in-memory file system whose reads, writes and replaces can be made to fail.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "common/file_system.h"

namespace tamblo::testing {

class FakeFileSystem : public FileSystem {
public:
    FakeFileSystem() { SetFiles(this); }
    ~FakeFileSystem() override { SetFiles(nullptr); }

    std::map<std::string, std::string> files;
    bool failWrites = false;
    bool failMoves = false;
    bool failRemoves = false;
    size_t failReadAfter = std::string::npos;  // bytes served before one read fails
    size_t readSize = 7;  // small, so that line ends fall across reads

    std::unique_ptr<FileReader> OpenForReading(const std::string& name) override {
        const auto found = files.find(name);
        if (found == files.end()) return nullptr;
        return std::make_unique<Reader>(found->second, failReadAfter, readSize);
    }
    FileResult WriteAll(const std::string& name, const std::string& content) override {
        if (failWrites) {
            files[name] = content.substr(0, content.size() / 2);  // a torn write
            return FileResult::Failure("There is not enough space on the disk.");
        }
        files[name] = content;
        return {};
    }
    FileResult MoveOver(const std::string& source, const std::string& target) override {
        if (failMoves || !files.count(source)) return FileResult::Failure("Access is denied.");
        files[target] = files[source];
        files.erase(source);
        return {};
    }
    FileResult Remove(const std::string& name) override {
        if (failRemoves && files.count(name)) return FileResult::Failure("Access is denied.");
        files.erase(name);
        return {};
    }

private:
    class Reader : public FileReader {
    public:
        Reader(std::string content, size_t failAt, size_t readSize)
            : content_(std::move(content)), failAt_(failAt), readSize_(readSize) {}
        size_t Read(char* buffer, size_t size) override {
            if (position_ == failAt_) {
                failAt_ = std::string::npos;  // a retry would get past it
                return 0;
            }
            const size_t count = std::min({size, readSize_, failAt_ - position_, content_.size() - position_});
            std::memcpy(buffer, content_.data() + position_, count);
            position_ += count;
            return count;
        }

    private:
        std::string content_;
        size_t failAt_;
        size_t readSize_;
        size_t position_ = 0;
    };
};

}  // namespace tamblo::testing
