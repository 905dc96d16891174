#include "common/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "common/win32/system_message.h"

namespace tamblo {

namespace {

FileResult LastErrorFailure() { return FileResult::Failure(SystemMessage(GetLastError())); }

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

    // Closes now so that a failure to close is seen.
    bool Close() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

class Win32FileReader : public FileReader {
public:
    explicit Win32FileReader(HANDLE handle) : file_(handle) {}
    size_t Read(char* buffer, size_t size) override {
        DWORD got = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(size, 1u << 20));
        if (!::ReadFile(file_.get(), buffer, wanted, &got, nullptr)) return 0;
        return got;
    }

private:
    FileHandle file_;
};

}  // namespace

std::unique_ptr<FileReader> Win32FileSystem::OpenForReading(const std::string& name) {
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32FileReader>(file);
}

FileResult Win32FileSystem::WriteAll(const std::string& name, const std::string& content) {
    FileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastErrorFailure();
    size_t done = 0;
    while (done < content.size()) {
        DWORD written = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 20));
        if (!::WriteFile(file.get(), content.data() + done, wanted, &written, nullptr) || written == 0)
            return LastErrorFailure();
        done += written;
    }
    if (!FlushFileBuffers(file.get())) return LastErrorFailure();
    if (!file.Close()) return LastErrorFailure();
    return {};
}

FileResult Win32FileSystem::MoveOver(const std::string& source, const std::string& target) {
    // Windows refuses to replace a read-only file; Wine replaces it, so ask first.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return FileResult::Failure(SystemMessage(ERROR_ACCESS_DENIED));
    if (!MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastErrorFailure();
    return {};
}

FileResult Win32FileSystem::Remove(const std::string& name) {
    if (::DeleteFileA(name.c_str())) return {};
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    return FileResult::Failure(SystemMessage(error));
}

}  // namespace tamblo
