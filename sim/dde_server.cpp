#include "dde_server.h"

#include <vector>

namespace chatsim {

DdeServer* DdeServer::current_ = nullptr;

DdeServer::DdeServer(ChatClient& client) : client_(client) {}

DdeServer::~DdeServer() {
    if (!instance_) return;
    if (registered_) DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
    if (service_) DdeFreeStringHandle(instance_, service_);
    DdeUninitialize(instance_);
    current_ = nullptr;
}

bool DdeServer::Start(std::string& error) {
    current_ = this;
    const UINT result = DdeInitializeA(&instance_, Callback,
                                       APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS | CBF_FAIL_ADVISES |
                                           CBF_FAIL_EXECUTES,
                                       0);
    if (result != DMLERR_NO_ERROR) {
        instance_ = 0;
        error = "DdeInitialize failed with DDE error " + std::to_string(result);
        return false;
    }
    service_ = DdeCreateStringHandleA(instance_, ServiceName, CP_WINANSI);
    registered_ = service_ && DdeNameService(instance_, service_, nullptr, DNS_REGISTER);
    if (!registered_) {
        error = "DdeNameService failed with DDE error " + std::to_string(DdeGetLastError(instance_));
        return false;
    }
    return true;
}

HDDEDATA CALLBACK DdeServer::Callback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR) {
    return current_ ? current_->Handle(type, format, topic, item, data) : nullptr;
}

HDDEDATA DdeServer::Handle(UINT type, UINT format, HSZ topic, HSZ item, HDDEDATA data) {
    switch (type) {
        case XTYP_CONNECT:
            // Here item is the service name; the filter already checked it.
            return reinterpret_cast<HDDEDATA>(client_.Connect(Text(topic)) ? TRUE : FALSE);
        case XTYP_POKE: {
            const bool handled = client_.Poke(Text(topic), Text(item), Text(data));
            return reinterpret_cast<HDDEDATA>(handled ? DDE_FACK : DDE_FNOTPROCESSED);
        }
        case XTYP_REQUEST: {
            const auto answer = client_.Request(Text(topic), Text(item));
            if (!answer || format != CF_TEXT) return nullptr;
            return DdeCreateDataHandle(instance_, reinterpret_cast<BYTE*>(const_cast<char*>(answer->c_str())),
                                       static_cast<DWORD>(answer->size() + 1), 0, item, CF_TEXT, 0);
        }
        default:
            return nullptr;
    }
}

std::string DdeServer::Text(HSZ handle) const {
    const DWORD length = DdeQueryStringA(instance_, handle, nullptr, 0, CP_WINANSI);
    std::string text(length + 1, '\0');
    DdeQueryStringA(instance_, handle, text.data(), length + 1, CP_WINANSI);
    text.resize(length);
    return text;
}

// Up to the first NUL or the data's end.
std::string DdeServer::Text(HDDEDATA data) {
    if (!data) return {};
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::vector<char> bytes(size);
    if (size) DdeGetData(data, reinterpret_cast<BYTE*>(bytes.data()), size, 0);
    std::string text(bytes.begin(), bytes.end());
    const auto nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

}  // namespace chatsim
