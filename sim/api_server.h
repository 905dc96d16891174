// The library's side of chatsim: WM_COPYDATA glue between the simulated
// wadapi.dll (and tests) and the ChatClient. See api_wire.h.
#pragma once

#include <windows.h>

#include "chat_client.h"

namespace chatsim {

class ApiServer {
public:
    explicit ApiServer(ChatClient& client) : client_(client) {}

    // A WM_COPYDATA to the window self from the window from; the message's
    // result.
    LRESULT CopyData(HWND self, HWND from, const COPYDATASTRUCT& data);

private:
    LRESULT Call(HWND self, HWND from, const std::string& bytes);
    LRESULT ForwardData(HWND self, const std::string& bytes);

    ChatClient& client_;
};

}  // namespace chatsim
