#include "common/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tamblo {

namespace {

FileResult ErrnoFailure() { return FileResult::Failure(std::strerror(errno)); }

class StdFileReader : public FileReader {
public:
    explicit StdFileReader(std::FILE* file) : file_(file) {}
    ~StdFileReader() override { std::fclose(file_); }
    StdFileReader(const StdFileReader&) = delete;
    StdFileReader& operator=(const StdFileReader&) = delete;

    size_t Read(char* buffer, size_t size) override {
        if (std::ferror(file_)) return 0;  // stays ended after a failure
        return std::fread(buffer, 1, size, file_);
    }

private:
    std::FILE* file_;
};

}  // namespace

std::unique_ptr<FileReader> StdFileSystem::OpenForReading(const std::string& name) {
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return nullptr;
    return std::make_unique<StdFileReader>(file);
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
