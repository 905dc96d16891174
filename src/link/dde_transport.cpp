#include "link/dde_transport.h"

#include <algorithm>

namespace tamblo {

namespace {

// A form feed in the text would split the record and let the text rewrite it.
std::string WithoutFormFeeds(std::string text) {
    std::replace(text.begin(), text.end(), CommFieldSeparator, ' ');
    return text;
}

}  // namespace

DdeTransport::DdeTransport(ConduitWindowFactory& windows, const Platform& platform, const LinkSettings& settings,
                           Pacer& pacer)
    : windows_(windows), platform_(platform), settings_(settings), pacer_(pacer) {}

DdeTransport::~DdeTransport() = default;

DdeConduit& DdeTransport::Conduit() {
    std::erase_if(retired_, [](const auto& conduit) { return !conduit->InUse(); });
    if (!conduit_) conduit_ = std::make_unique<DdeConduit>(windows_, platform_, settings_);
    return *conduit_;
}

// Destroying the window closes its conversation; a conduit whose exchange
// is still on the stack is only let go of, and goes when that has ended.
void DdeTransport::DestroyConduit() {
    if (!conduit_ || !conduit_->InUse()) {
        conduit_.reset();
        return;
    }
    conduit_->Abandon();
    retired_.push_back(std::move(conduit_));
}

void DdeTransport::Register() {
    Conduit().DdeRegister();
    pacer_.PauseSeconds(1);
}

void DdeTransport::Unregister() {
    Conduit().DdeUnregister();
    pacer_.PauseSeconds(1);
    DestroyConduit();
}

// A form feed in a name taken from the chat would redirect the record.
bool DdeTransport::CanAddress(const std::string& avatarName) const {
    return avatarName.find(CommFieldSeparator) == std::string::npos;
}

void DdeTransport::Send(LineMode mode, const std::string& avatarName, const std::string& text) {
    DdeConduit& conduit = Conduit();
    conduit.SetCommFields(std::to_string(static_cast<int>(mode)), avatarName, WithoutFormFeeds(text));
    conduit.DdeCommunicate();
}

std::string DdeTransport::AskForChatText(bool) {
    DdeConduit& conduit = Conduit();
    conduit.DdeGetAllText();
    return conduit.Fields().Text1;
}

void DdeTransport::WhenIdle(std::function<void()> then) {
    if (conduit_ && conduit_->Transferring())
        conduit_->AfterTransfer(std::move(then));
    else
        then();
}

}  // namespace tamblo
