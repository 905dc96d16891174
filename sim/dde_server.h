// The DDE service "WorldsApi": DDEML glue between the conversations of a
// client and the ChatClient.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <string>

#include "chat_client.h"

namespace chatsim {

// One per process: DDEML callbacks carry no pointer of ours.
class DdeServer {
public:
    explicit DdeServer(ChatClient& client);
    ~DdeServer();
    DdeServer(const DdeServer&) = delete;
    DdeServer& operator=(const DdeServer&) = delete;

    // Registers the service; the reason in error when DDEML refuses.
    bool Start(std::string& error);

private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ topic, HSZ item,
                                      HDDEDATA data, ULONG_PTR, ULONG_PTR);
    HDDEDATA Handle(UINT type, UINT format, HSZ topic, HSZ item, HDDEDATA data);
    std::string Text(HSZ handle) const;
    static std::string Text(HDDEDATA data);

    ChatClient& client_;
    DWORD instance_ = 0;
    HSZ service_ = nullptr;
    bool registered_ = false;
    static DdeServer* current_;
};

}  // namespace chatsim
