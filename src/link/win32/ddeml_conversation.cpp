#include "link/win32/ddeml_conversation.h"

#include <utility>

namespace tamblo {

namespace {

// Each DDE message waits this long for the chat client's answer.
constexpr DWORD DdeTimeoutMs = 5000;

bool transactionPending = false;
std::function<void()> afterTransaction;

// Synchronous: the system's modal loop may run other window events meanwhile.
HDDEDATA Transact(BYTE* data, DWORD size, HCONV conversation, HSZ item, UINT type, DWORD* result) {
    transactionPending = true;
    HDDEDATA answer = DdeClientTransaction(data, size, conversation, item, CF_TEXT, type, DdeTimeoutMs, result);
    transactionPending = false;
    if (afterTransaction) std::exchange(afterTransaction, nullptr)();
    return answer;
}

HDDEDATA CALLBACK IgnoreDdeEvents(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

class StringHandle {
public:
    StringHandle(DWORD instance, const std::string& text)
        : instance_(instance), handle_(DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI)) {}
    ~StringHandle() {
        if (handle_) DdeFreeStringHandle(instance_, handle_);
    }
    StringHandle(const StringHandle&) = delete;
    StringHandle& operator=(const StringHandle&) = delete;
    HSZ get() const { return handle_; }

private:
    DWORD instance_;
    HSZ handle_;
};

}  // namespace

bool DdeTransactionPending() { return transactionPending; }
void AfterDdeTransaction(std::function<void()> run) { afterTransaction = std::move(run); }

DdemlConversation::DdemlConversation() {
    if (DdeInitializeA(&instance_, IgnoreDdeEvents, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
        DMLERR_NO_ERROR)
        instance_ = 0;
}

DdemlConversation::~DdemlConversation() {
    Close();
    if (instance_) DdeUninitialize(instance_);
}

void DdemlConversation::Close() {
    if (conversation_) DdeDisconnect(conversation_);
    conversation_ = nullptr;
}

bool DdemlConversation::Open(const std::string& service, const std::string& topic) {
    if (!instance_) return false;
    Close();
    StringHandle serviceName(instance_, service);
    StringHandle topicName(instance_, topic);
    conversation_ = DdeConnect(instance_, serviceName.get(), topicName.get(), nullptr);
    return conversation_ != nullptr;
}

bool DdemlConversation::Poke(const std::string& item, const std::string& text) {
    if (!conversation_) return false;
    StringHandle itemName(instance_, item);
    DWORD result = 0;
    // CF_TEXT data carries its terminating NUL.
    return Transact(reinterpret_cast<BYTE*>(const_cast<char*>(text.c_str())), static_cast<DWORD>(text.size() + 1),
                    conversation_, itemName.get(), XTYP_POKE, &result) != nullptr;
}

std::optional<std::string> DdemlConversation::Request(const std::string& item) {
    if (!conversation_) return std::nullopt;
    StringHandle itemName(instance_, item);
    HDDEDATA data = Transact(nullptr, 0, conversation_, itemName.get(), XTYP_REQUEST, nullptr);
    if (!data) return std::nullopt;
    std::string answer(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<BYTE*>(answer.data()), static_cast<DWORD>(answer.size()), 0);
    DdeFreeDataHandle(data);
    answer.resize(answer.find('\0') == std::string::npos ? answer.size() : answer.find('\0'));
    return answer;
}

}  // namespace tamblo
