#include "link/win32/ddeml_conversation.h"

namespace tamblo {

namespace {

// Each DDE message waits this long for the chat client's answer.
constexpr DWORD DdeTimeoutMs = 5000;

// Synchronous: the system's modal loop may run other window events meanwhile.
HDDEDATA Transact(BYTE* data, DWORD size, HCONV conversation, HSZ item, UINT type, DWORD* result) {
    return DdeClientTransaction(data, size, conversation, item, CF_TEXT, type, DdeTimeoutMs, result);
}

HDDEDATA CALLBACK IgnoreDdeEvents(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) noexcept {
    return nullptr;
}

}  // namespace

DdemlConversation::DdemlConversation() {
    if (DdeInitializeA(&instance_, IgnoreDdeEvents, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
        DMLERR_NO_ERROR)
        instance_ = 0;
}

DdemlConversation::~DdemlConversation() {
    Close();
    for (const auto& [text, handle] : names_) DdeFreeStringHandle(instance_, handle);
    if (instance_) DdeUninitialize(instance_);
}

// Made once per name: each one is a round trip to the system's atom table.
// 0 when it cannot be made (over 255 characters): never pass that on, for a
// zero name matches any service, topic or item.
HSZ DdemlConversation::Name(const std::string& text) {
    const auto known = names_.find(text);
    if (known != names_.end()) return known->second;
    HSZ handle = DdeCreateStringHandleA(instance_, text.c_str(), CP_WINANSI);
    if (handle) names_.emplace(text, handle);
    return handle;
}

void DdemlConversation::Close() {
    if (conversation_) DdeDisconnect(conversation_);
    conversation_ = nullptr;
}

bool DdemlConversation::Open(const std::string& service, const std::string& topic) {
    if (!instance_) return false;
    Close();
    const HSZ serviceName = Name(service), topicName = Name(topic);
    if (!serviceName || !topicName) return false;
    conversation_ = DdeConnect(instance_, serviceName, topicName, nullptr);
    return conversation_ != nullptr;
}

bool DdemlConversation::Poke(const std::string& item, const std::string& text) {
    const HSZ itemName = conversation_ ? Name(item) : nullptr;
    if (!itemName) return false;
    DWORD result = 0;
    // CF_TEXT data carries its terminating NUL.
    return Transact(reinterpret_cast<BYTE*>(const_cast<char*>(text.c_str())), static_cast<DWORD>(text.size() + 1),
                    conversation_, itemName, XTYP_POKE, &result) != nullptr;
}

std::optional<std::string> DdemlConversation::Request(const std::string& item) {
    const HSZ itemName = conversation_ ? Name(item) : nullptr;
    if (!itemName) return std::nullopt;
    HDDEDATA data = Transact(nullptr, 0, conversation_, itemName, XTYP_REQUEST, nullptr);
    if (!data) return std::nullopt;
    std::string answer(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<BYTE*>(answer.data()), static_cast<DWORD>(answer.size()), 0);
    DdeFreeDataHandle(data);
    answer.resize(answer.find('\0') == std::string::npos ? answer.size() : answer.find('\0'));
    return answer;
}

}  // namespace tamblo
