#include "link/dde_conduit.h"

#include <utility>

#include "link/client_window.h"

namespace tamblo {

namespace {

// Counts the exchanges on the stack while one runs.
class Frame {
public:
    explicit Frame(int& depth) : depth_(depth) { ++depth_; }
    ~Frame() { --depth_; }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

private:
    int& depth_;
};

}  // namespace

std::string BuildCommRecord(const std::string& mode, const std::string& avatarName,
                            const std::string& text) {
    return std::string(AppTitle) + CommFieldSeparator + mode + CommFieldSeparator + avatarName + CommFieldSeparator +
           text;
}

DdeConduit::DdeConduit(ConduitWindowFactory& factory, const Platform& platform, const LinkSettings& settings)
    : platform_(platform), settings_(settings), window_(factory.Create(*this)) {}

DdeConduit::~DdeConduit() = default;

void DdeConduit::DdeRegister() {
    Exchange("WorldsApi_Register", "WorldsApi_Register", AppTitle, Transfer::Poke);
}

void DdeConduit::DdeUnregister() {
    Exchange("WorldsApi_Unregister", "WorldsApi_Unregister", AppTitle, Transfer::Poke);
}

void DdeConduit::DdeCommunicate() {
    Exchange("WorldsApi_Communicate", "WorldsApi_Communicate",
             BuildCommRecord(fields_.CommMode, fields_.AvatarName, fields_.CommText), Transfer::Poke);
}

void DdeConduit::DdeGetAllText() { Exchange("WorldsApi_GetAllText", AppTitle, "", Transfer::Request); }

void DdeConduit::SetCommFields(const std::string& mode, const std::string& avatarName,
                               const std::string& text) {
    fields_.CommMode = mode;
    fields_.AvatarName = avatarName;
    fields_.CommText = text;
}

void DdeConduit::Exchange(const std::string& topic, const std::string& item, const std::string& text,
                          Transfer transfer) {
    const Frame frame(depth_);
    fields_.ErrorCheck = false;
    for (int tries = 1; tries <= DdeTriesPerExchange; ++tries) {
        const TryOutcome outcome = TryOnce(topic, item, text, transfer);
        Show();
        if (outcome != TryOutcome::DdeFailure) return;
        // Also drains a timed-out message's late answer before the next try.
        YieldTimes(platform_.pump, YieldsAfterFailedTry);
        if (abandoned_) return;
    }
    fields_.ErrorCheck = true;
    Show();
}

// The system's modal wait for the answer may run other window events; what
// they leave for an idle link runs as soon as the answer is in.
// Also when the wait throws: a close waiting for the answer must not wait
// for ever.
template <typename Message>
auto DdeConduit::Transferred(Message message) {
    transferring_ = true;
    try {
        auto result = message();
        EndTransfer();
        return result;
    } catch (...) {
        EndTransfer();
        throw;
    }
}

void DdeConduit::EndTransfer() {
    transferring_ = false;
    if (afterTransfer_) std::exchange(afterTransfer_, nullptr)();
}

DdeConduit::TryOutcome DdeConduit::TryOnce(const std::string& topic, const std::string& item,
                                           const std::string& text, Transfer transfer) {
    CloseConversation();
    fields_.LinkTopic = std::string(DdeServiceName) + "|" + topic;
    fields_.LinkItem = item;
    fields_.Text1 = text;
    Show();

    DdeConversation& conversation = window_->Conversation();
    if (!conversation.Open(DdeServiceName, topic)) return TryOutcome::DdeFailure;
    fields_.LinkOpen = true;

    if (settings_.ActivateClientWindow && !BringWindowToFront(platform_.desktop, settings_.ClientWindowTitle))
        return TryOutcome::OtherFailure;

    if (transfer == Transfer::Poke) {
        const bool poked = Transferred([&] { return conversation.Poke(item, fields_.Text1); });
        if (abandoned_) return TryOutcome::Done;
        if (!poked) return TryOutcome::DdeFailure;
    } else {
        std::optional<std::string> answer = Transferred([&] { return conversation.Request(item); });
        if (abandoned_) return TryOutcome::Done;
        if (!answer) return TryOutcome::DdeFailure;
        fields_.Text1 = std::move(*answer);
    }

    if (settings_.ActivateClientWindow && !BringWindowToFront(platform_.desktop, AppTitle))
        return TryOutcome::OtherFailure;
    return TryOutcome::Done;
}

void DdeConduit::CloseConversation() {
    if (!fields_.LinkOpen) return;
    window_->Conversation().Close();
    fields_.LinkOpen = false;
}

void DdeConduit::Show() { window_->ShowFields(fields_); }

}  // namespace tamblo
