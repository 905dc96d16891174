#include "request_log.h"

namespace chatsim {

std::string EscapeForLog(std::string_view text) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
            case '\\': escaped += "\\\\"; break;
            case '\t': escaped += "\\t"; break;
            case '\r': escaped += "\\r"; break;
            case '\n': escaped += "\\n"; break;
            case '\f': escaped += "\\f"; break;
            default:
                if (byte < 32 || byte == 127) {
                    escaped += "\\x";
                    escaped += Hex[byte >> 4];
                    escaped += Hex[byte & 15];
                } else {
                    escaped += c;
                }
        }
    }
    return escaped;
}

RequestLog::RequestLog(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}

RequestLog::~RequestLog() {
    if (file_) std::fclose(file_);
}

void RequestLog::Write(std::string_view kind, std::initializer_list<std::string_view> fields) {
    WriteLine(LogLine(kind, fields));
}

void RequestLog::WriteFields(std::string_view kind, const std::vector<std::string>& fields) {
    WriteLine(LogLine(kind, fields));
}

void RequestLog::WriteLine(std::string line) {
    if (!file_) return;
    line += "\r\n";
    // Tests read the file while the simulator runs.
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

}  // namespace chatsim
