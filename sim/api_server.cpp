#include "api_server.h"

#include <vector>

#include "api_wire.h"

namespace chatsim {

namespace {

// A client that does not take its messages within this time is ignored.
constexpr UINT SendTimeoutMs = 5000;

bool SendBytes(HWND self, HWND to, ULONG_PTR code, const std::string& bytes) {
    COPYDATASTRUCT data = {};
    data.dwData = code;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = const_cast<char*>(bytes.data());
    DWORD_PTR result = FALSE;
    return SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, SendTimeoutMs, &result) &&
           result == TRUE;
}

// Fields each ended by a NUL; bytes after the last NUL are a last field.
std::vector<std::string> SplitFields(const std::string& bytes) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (size_t nul; (nul = bytes.find('\0', begin)) != std::string::npos; begin = nul + 1) {
        fields.push_back(bytes.substr(begin, nul - begin));
    }
    if (begin < bytes.size()) fields.push_back(bytes.substr(begin));
    return fields;
}

}  // namespace

LRESULT ApiServer::CopyData(HWND self, HWND from, const COPYDATASTRUCT& data) {
    const char* bytes = static_cast<const char*>(data.lpData);
    const std::string content(bytes ? bytes : "", bytes ? data.cbData : 0);
    if (data.dwData == ApiCallData) return Call(self, from, content);
    if (data.dwData == ReceivedData) return ForwardData(self, content);
    return FALSE;
}

LRESULT ApiServer::Call(HWND self, HWND from, const std::string& bytes) {
    const ApiAnswer answer = client_.ApiCall(reinterpret_cast<ApiClient>(from), SplitFields(bytes));
    if (!answer.code) return NoResultCode;
    // The caller waits in SendMessage and takes this one meanwhile, so the
    // text is queued before the code.
    if (answer.allText && from) SendBytes(self, from, AllTextData, *answer.allText);
    return EncodeResultCode(*answer.code);
}

LRESULT ApiServer::ForwardData(HWND self, const std::string& bytes) {
    const auto formFeed = bytes.find('\f');
    const std::string sender = bytes.substr(0, formFeed);
    const std::string data = formFeed == std::string::npos ? std::string() : bytes.substr(formFeed + 1);
    const ApiClient client = client_.ApiData(sender, data);
    if (!client) return FALSE;
    return SendBytes(self, reinterpret_cast<HWND>(client), ReceivedData, sender + '\f' + data) ? TRUE : FALSE;
}

}  // namespace chatsim
