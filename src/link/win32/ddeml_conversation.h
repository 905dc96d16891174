// A DDE conversation through DDEML, as a client only.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <map>
#include <string>

#include "link/dde_conduit.h"

namespace tamblo {

class DdemlConversation : public DdeConversation {
public:
    DdemlConversation();
    ~DdemlConversation() override;

    void Close() override;
    bool Open(const std::string& service, const std::string& topic) override;
    bool Poke(const std::string& item, const std::string& text) override;
    std::optional<std::string> Request(const std::string& item) override;

private:
    HSZ Name(const std::string& text);

    DWORD instance_ = 0;
    std::map<std::string, HSZ> names_;
    HCONV conversation_ = nullptr;
};

}  // namespace tamblo
