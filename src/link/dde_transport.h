// The DDE transport: the conduit `WA_DDE` and its conversations with the
// chat client's service.
#pragma once

#include <memory>
#include <vector>

#include "link/dde_conduit.h"
#include "link/pacing.h"
#include "link/transport.h"

namespace tamblo {

class DdeTransport : public Transport {
public:
    DdeTransport(ConduitWindowFactory& windows, const Platform& platform, const LinkSettings& settings,
                 Pacer& pacer);
    ~DdeTransport() override;

    void Register() override;
    void Unregister() override;
    bool Ready() const override { return true; }
    bool CanAddress(const std::string& avatarName) const override;
    void Send(LineMode mode, const std::string& avatarName, const std::string& text) override;
    std::string AskForChatText(bool firstAttempt) override;
    void WhenIdle(std::function<void()> then) override;

private:
    // The conduit, created (hidden) when none exists.
    DdeConduit& Conduit();
    void DestroyConduit();

    ConduitWindowFactory& windows_;
    Platform platform_;
    const LinkSettings& settings_;
    Pacer& pacer_;
    std::unique_ptr<DdeConduit> conduit_;
    // Conduits let go of while an exchange of theirs was running; each goes
    // once that has ended.
    std::vector<std::unique_ptr<DdeConduit>> retired_;
};

}  // namespace tamblo
