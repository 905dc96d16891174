// The chat client's library `wadapi` as the library transport calls it.
#pragma once

#include <optional>
#include <string>

namespace tamblo {

class ApiLibrary {
public:
    virtual ~ApiLibrary() = default;
    // Loads the library once; the reason, naming it, when it cannot be used.
    virtual std::optional<std::string> Load() = 0;
    // Hands the library the three callbacks (ProcessAckData,
    // ProcessReceivedData, ProcessAllText), in that order.
    virtual void InitDDE(const std::string& appTitle) = 0;
    virtual void KillDDE() = 0;
    virtual void DapiRegister(const std::string& appTitle) = 0;
    virtual void DapiUnregister(const std::string& appTitle) = 0;
    virtual void DapiGetAllText(const std::string& appTitle) = 0;
    virtual void DapiCommunicate(const std::string& appTitle, int mode, const std::string& avatarName,
                                 const std::string& text) = 0;
};

// Set at start-up (tests set a fake).
void SetApiLibrary(ApiLibrary* library);

}  // namespace tamblo
