// The DDE conduit `WA_DDE`: the link field and the Comm record fields, and the
// one exchange procedure that carries every DDE request to the chat client.
#pragma once

#include <memory>
#include <optional>
#include <string>

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

// "Tamblo", FF, mode, FF, avatar, FF, text: taken as they are.
std::string BuildCommRecord(const std::string& mode, const std::string& avatarName,
                            const std::string& text);

class DdeConduit {
public:
    explicit DdeConduit(ConduitWindowFactory& factory);
    ~DdeConduit();
    DdeConduit(const DdeConduit&) = delete;
    DdeConduit& operator=(const DdeConduit&) = delete;

    void DdeRegister();
    void DdeUnregister();
    void DdeCommunicate();
    void DdeGetAllText();

    const ConduitFields& Fields() const { return fields_; }
    void SetCommFields(const std::string& mode, const std::string& avatarName, const std::string& text);

private:
    enum class Transfer { Poke, Request };
    enum class TryOutcome { Done, DdeFailure, OtherFailure };

    void Exchange(const std::string& topic, const std::string& item, const std::string& text,
                  Transfer transfer);
    TryOutcome TryOnce(const std::string& topic, const std::string& item, const std::string& text,
                       Transfer transfer);
    void CloseConversation();
    void Show();

    ConduitFields fields_;
    std::unique_ptr<ConduitWindow> window_;
};

}  // namespace tamblo
