// A chat-client library that records its calls and answers through the
// program's callbacks when told to.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "fake_platform.h"
#include "link/api_library.h"

namespace tamblo::testing {

class FakeApiLibrary : public ApiLibrary {
public:
    explicit FakeApiLibrary(EventLog& log) : log_(log) {}

    std::optional<std::string> loadFailure;
    // Runs inside DapiGetAllText, e.g. to deliver text at once or to arrange
    // a later delivery.
    std::function<void()> onGetAllText;

    std::optional<std::string> Load() override {
        log_.Add("load");
        return loadFailure;
    }
    void InitDDE(const std::string& appTitle, LibraryCallbacks&) override { log_.Add("InitDDE " + appTitle); }
    void KillDDE() override { log_.Add("KillDDE"); }
    void DapiRegister(const std::string& appTitle) override { log_.Add("DapiRegister " + appTitle); }
    void DapiUnregister(const std::string& appTitle) override { log_.Add("DapiUnregister " + appTitle); }
    void DapiGetAllText(const std::string& appTitle) override {
        log_.Add("DapiGetAllText " + appTitle);
        if (onGetAllText) onGetAllText();
    }
    void DapiCommunicate(const std::string& appTitle, int mode, const std::string& avatarName,
                         const std::string& text) override {
        log_.Add("DapiCommunicate " + appTitle + "|" + std::to_string(mode) + "|" + avatarName + "|" + text);
    }

private:
    EventLog& log_;
};

}  // namespace tamblo::testing
