// The DDE conduit `WA_DDE`: the link field and the Comm record fields, and the
// one exchange procedure that carries every DDE request to the chat client.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/platform.h"
#include "link/link_settings.h"

namespace tamblo {

inline constexpr const char* DdeServiceName = "WorldsApi";
inline constexpr int DdeTriesPerExchange = 5;
inline constexpr int YieldsAfterFailedTry = 12;

// The client end of one DDE conversation at a time.
class DdeConversation {
public:
    virtual ~DdeConversation() = default;
    virtual void Close() = 0;
    virtual bool Open(const std::string& service, const std::string& topic) = 0;
    virtual bool Poke(const std::string& item, const std::string& text) = 0;
    // The answer as text, or nothing when the exchange failed.
    virtual std::optional<std::string> Request(const std::string& item) = 0;
};

struct ConduitFields {
    bool ErrorCheck = false;
    std::string CommMode;
    std::string AvatarName;
    std::string CommText;
    std::string Text1;      // the link field's text
    std::string LinkTopic;  // service and topic, "service|topic"
    std::string LinkItem;
    bool LinkOpen = false;
};

class DdeConduit;

// The platform's window for the conduit; destroying it closes the conversation.
class ConduitWindow {
public:
    virtual ~ConduitWindow() = default;
    virtual DdeConversation& Conversation() = 0;
    virtual void ShowFields(const ConduitFields& fields) = 0;
};

class ConduitWindowFactory {
public:
    virtual ~ConduitWindowFactory() = default;
    virtual std::unique_ptr<ConduitWindow> Create(DdeConduit& conduit) = 0;
};

inline constexpr char CommFieldSeparator = '\f';

// "Tamblo", FF, mode, FF, avatar, FF, text: taken as they are.
std::string BuildCommRecord(const std::string& mode, const std::string& avatarName,
                            const std::string& text);

class DdeConduit {
public:
    // The settings are the link's, read at each exchange.
    DdeConduit(ConduitWindowFactory& factory, const Platform& platform, const LinkSettings& settings);
    ~DdeConduit();
    DdeConduit(const DdeConduit&) = delete;
    DdeConduit& operator=(const DdeConduit&) = delete;

    void DdeRegister();
    void DdeUnregister();
    void DdeCommunicate();
    void DdeGetAllText();

    const ConduitFields& Fields() const { return fields_; }
    void SetCommFields(const std::string& mode, const std::string& avatarName, const std::string& text);

    // An exchange of its own is running: a frame of it is on the stack, so
    // it must not be destroyed now.
    bool InUse() const { return depth_ > 0; }
    // Its running exchanges end after their current step: the link is done with it.
    void Abandon() { abandoned_ = true; }
    // A DDE message waits for its answer; nothing else may use DDE meanwhile.
    bool Transferring() const { return transferring_; }
    // Runs once the waiting message has its answer (or has timed out).
    void AfterTransfer(std::function<void()> then) { afterTransfer_ = std::move(then); }

private:
    enum class Transfer { Poke, Request };
    enum class TryOutcome { Done, DdeFailure, OtherFailure };

    void Exchange(const std::string& topic, const std::string& item, const std::string& text,
                  Transfer transfer);
    TryOutcome TryOnce(const std::string& topic, const std::string& item, const std::string& text,
                       Transfer transfer);
    template <typename Message>
    auto Transferred(Message message);
    void EndTransfer();
    void CloseConversation();
    void Show();

    Platform platform_;
    const LinkSettings& settings_;
    ConduitFields fields_;
    std::unique_ptr<ConduitWindow> window_;
    int depth_ = 0;
    bool abandoned_ = false;
    bool transferring_ = false;
    std::function<void()> afterTransfer_;
};

}  // namespace tamblo
