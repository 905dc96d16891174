// The chat client's library `wadapi` as the library transport calls it, and
// the three callbacks through which it answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tamblo {

class LibraryCallbacks {
public:
    virtual int32_t ProcessAckData(const std::string& code) = 0;
    virtual int32_t ProcessReceivedData(const std::string& sender, int32_t count, const std::string& data) = 0;
    virtual int32_t ProcessAllText(const std::string& text) = 0;

protected:
    ~LibraryCallbacks() = default;
};

class ApiLibrary {
public:
    virtual ~ApiLibrary() = default;
    // Loads the library once; the reason, naming it, when it cannot be used.
    virtual std::optional<std::string> Load() = 0;
    // Hands the library the three callbacks, in the order ProcessAckData,
    // ProcessReceivedData, ProcessAllText; they are live until KillDDE.
    virtual void InitDDE(const std::string& appTitle, LibraryCallbacks& callbacks) = 0;
    virtual void KillDDE() = 0;
    virtual void DapiRegister(const std::string& appTitle) = 0;
    virtual void DapiUnregister(const std::string& appTitle) = 0;
    virtual void DapiGetAllText(const std::string& appTitle) = 0;
    virtual void DapiCommunicate(const std::string& appTitle, int mode, const std::string& avatarName,
                                 const std::string& text) = 0;
};

}  // namespace tamblo
