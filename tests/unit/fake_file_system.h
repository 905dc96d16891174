// An in-memory file system whose writes and replaces can be made to fail.
#pragma once

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

    std::optional<std::string> ReadAll(const std::string& name) override {
        const auto found = files.find(name);
        if (found == files.end()) return std::nullopt;
        return found->second;
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
};

}  // namespace tamblo::testing
