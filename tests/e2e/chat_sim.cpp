#include "chat_sim.h"

namespace e2e {

namespace {

// The simulator's window class and its WM_COPYDATA codes: a room line, and
// "<sender>\f<data>" for the library client.
constexpr const char* SimWindowClass = "ChatSimRoom";
constexpr ULONG_PTR InjectLineData = 1;
constexpr ULONG_PTR ApiReceivedData = 4;

const ScratchFolder& WithScenario(const ScratchFolder& folder, const std::string& scenario) {
    folder.Write("scenario.txt", scenario);
    return folder;
}

}  // namespace

ChatSim::ChatSim(const ScratchFolder& folder, DWORD timeoutMs)
    : folder_(folder), program_(BesideTests("chatsim.exe"), folder.path()) {
    WaitUntilReady(timeoutMs);
}

ChatSim::ChatSim(const ScratchFolder& folder, const std::string& scenario, DWORD timeoutMs)
    : folder_(WithScenario(folder, scenario)), program_(BesideTests("chatsim.exe"), folder.path()) {
    WaitUntilReady(timeoutMs);
}

ChatSim::ChatSim(const ScratchFolder& folder, AttachTo running) : folder_(folder), program_(running) {
    WaitUntilReady(20000);
}

ChatSim::~ChatSim() {
    if (window_) {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        program_.WaitForExit(5000);
    }
}

void ChatSim::WaitUntilReady(DWORD timeoutMs) {
    if (!program_.started()) {
        failure_ = "cannot start " + BesideTests("chatsim.exe");
        return;
    }
    // The simulator shows its window only once its service is registered.
    const DWORD start = GetTickCount();
    do {
        window_ = program_.FindVisibleWindowOfClass(SimWindowClass);
        if (window_) return;
        if (program_.WaitForExit(50)) {
            std::string errors;
            folder_.Read("chatsim-errors.txt", errors);
            failure_ = "chatsim.exe ended before showing its window: " + errors;
            return;
        }
    } while (GetTickCount() - start < timeoutMs);
    failure_ = "chatsim.exe showed no window";
}

std::string ChatSim::ReadShared(const std::string& name) const {
    // Sharing delete too, so the simulator can swap the file in meanwhile.
    HANDLE file = CreateFileA(folder_.File(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

std::vector<std::string> ChatSim::Log() const {
    const std::string content = ReadShared("chatsim.log");
    std::vector<std::string> lines;
    size_t begin = 0;
    // A last line without its line end is still being written.
    for (size_t end; (end = content.find('\n', begin)) != std::string::npos; begin = end + 1) {
        std::string line = content.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool ChatSim::Inject(const std::string& line) const { return CopyData(InjectLineData, line); }

bool ChatSim::SendApiData(const std::string& sender, const std::string& data) const {
    return CopyData(ApiReceivedData, sender + '\f' + data);
}

bool ChatSim::CopyData(ULONG_PTR code, const std::string& bytes) const {
    if (!window_) return false;
    COPYDATASTRUCT data = {};
    data.dwData = code;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = const_cast<char*>(bytes.data());
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                               &result) &&
           result == TRUE;
}

std::string ChatSim::Escape(const std::string& text) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string escaped;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\f') {
            escaped += "\\f";
        } else if (byte < 32 || byte == 127) {
            escaped += {'\\', 'x', Hex[byte >> 4], Hex[byte & 15]};
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace e2e
