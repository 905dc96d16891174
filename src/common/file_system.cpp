#include "common/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tamblo {

namespace {

FileSystem* currentFiles = nullptr;

FileResult ErrnoFailure() { return FileResult::Failure(std::strerror(errno)); }

}  // namespace

FileSystem& Files() {
    static StdFileSystem standard;
    return currentFiles ? *currentFiles : standard;
}

void SetFiles(FileSystem* files) { currentFiles = files; }

std::optional<std::string> StdFileSystem::ReadAll(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return content.str();
}

FileResult StdFileSystem::WriteAll(const std::string& name, const std::string& content) {
    errno = 0;
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file) return ErrnoFailure();
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size() &&
                         std::fflush(file) == 0;
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written) {
        errno = writeErrno;
        return ErrnoFailure();
    }
    if (!closed) return ErrnoFailure();
    return {};
}

FileResult StdFileSystem::MoveOver(const std::string& source, const std::string& target) {
    if (std::rename(source.c_str(), target.c_str()) != 0) return ErrnoFailure();
    return {};
}

FileResult StdFileSystem::Remove(const std::string& name) {
    if (std::remove(name.c_str()) != 0 && errno != ENOENT) return ErrnoFailure();
    return {};
}

}  // namespace tamblo
