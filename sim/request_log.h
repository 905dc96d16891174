// The log of every request the simulator receives, read by tests while it
// runs: one line per request, tab-separated fields, each escaped so that no
// line holds a control character.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace chatsim {

// Backslash, tab, CR, LF and form feed as \\ \t \r \n \f, other bytes below
// 32 and 127 as \xNN; bytes 128-255 stay as they are.
std::string EscapeForLog(std::string_view text);

// One line of the log: the kind, then each field escaped, tab-separated.
template <typename Fields>
std::string LogLine(std::string_view kind, const Fields& fields) {
    std::string line = EscapeForLog(kind);
    for (std::string_view field : fields) line += '\t' + EscapeForLog(field);
    return line;
}
inline std::string LogLine(std::string_view kind, std::initializer_list<std::string_view> fields) {
    return LogLine<std::initializer_list<std::string_view>>(kind, fields);
}

class RequestLog {
public:
    // Starts the file empty.
    explicit RequestLog(const std::string& path);
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    bool ok() const { return file_ != nullptr; }
    // Writes and flushes one line: the kind, then each field escaped.
    void Write(std::string_view kind, std::initializer_list<std::string_view> fields);
    void WriteFields(std::string_view kind, const std::vector<std::string>& fields);

private:
    void WriteLine(std::string line);

    std::FILE* file_ = nullptr;
};

}  // namespace chatsim
