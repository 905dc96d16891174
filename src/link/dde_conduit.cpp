#include "link/dde_conduit.h"

#include "common/platform.h"
#include "link/client_window.h"
#include "link/link_settings.h"

namespace tamblo {

namespace {

constexpr char FieldSeparator = '\f';

}  // namespace

std::string BuildCommRecord(const std::string& mode, const std::string& avatarName,
                            const std::string& text) {
    return std::string(AppTitle) + FieldSeparator + mode + FieldSeparator + avatarName + FieldSeparator +
           text;
}

DdeConduit::DdeConduit(ConduitWindowFactory& factory) : window_(factory.Create(*this)) { Show(); }

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
    Show();
}

void DdeConduit::Exchange(const std::string& topic, const std::string& item, const std::string& text,
                          Transfer transfer) {
    fields_.ErrorCheck = false;
    Show();
    for (int tries = 1; tries <= DdeTriesPerExchange; ++tries) {
        const TryOutcome outcome = TryOnce(topic, item, text, transfer);
        Show();
        if (outcome != TryOutcome::DdeFailure) return;
        // Also drains a timed-out message's late answer before the next try.
        YieldTimes(YieldsAfterFailedTry);
    }
    fields_.ErrorCheck = true;
    Show();
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

    const LinkState& link = Link();
    if (link.ActivateClientWindow && !BringWindowToFront(link.ClientWindowTitle))
        return TryOutcome::OtherFailure;

    if (transfer == Transfer::Poke) {
        if (!conversation.Poke(item, fields_.Text1)) return TryOutcome::DdeFailure;
    } else {
        std::optional<std::string> answer = conversation.Request(item);
        if (!answer) return TryOutcome::DdeFailure;
        fields_.Text1 = std::move(*answer);
    }

    if (link.ActivateClientWindow && !BringWindowToFront(AppTitle)) return TryOutcome::OtherFailure;
    return TryOutcome::Done;
}

void DdeConduit::CloseConversation() {
    if (!fields_.LinkOpen) return;
    window_->Conversation().Close();
    fields_.LinkOpen = false;
}

void DdeConduit::Show() { window_->ShowFields(fields_); }

}  // namespace tamblo
