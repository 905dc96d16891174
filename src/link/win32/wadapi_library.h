// The chat client's library wadapi.dll, loaded at run time and only in the
// library transport.
#pragma once

#include <windows.h>

#include <cstdint>

#include "link/api_library.h"

namespace tamblo {

class WadapiLibrary : public ApiLibrary {
public:
    std::optional<std::string> Load() override;
    void InitDDE(const std::string& appTitle, LibraryCallbacks& callbacks) override;
    void KillDDE() override;
    void DapiRegister(const std::string& appTitle) override;
    void DapiUnregister(const std::string& appTitle) override;
    void DapiGetAllText(const std::string& appTitle) override;
    void DapiCommunicate(const std::string& appTitle, int mode, const std::string& avatarName,
                         const std::string& text) override;

private:
    using AckFn = int32_t(__stdcall*)(const char* code);
    using ReceivedFn = int32_t(__stdcall*)(const char* sender, int32_t count, const char* data);
    using AllTextFn = int32_t(__stdcall*)(const char* text);
    using InitFn = int32_t(__stdcall*)(const char*, AckFn, ReceivedFn, AllTextFn);
    using KillFn = int32_t(__stdcall*)();
    using TitleFn = int32_t(__stdcall*)(const char*);
    using CommunicateFn = int32_t(__stdcall*)(const char*, int32_t, const char*, const char*);

    HMODULE module_ = nullptr;
    InitFn init_ = nullptr;
    KillFn kill_ = nullptr;
    TitleFn register_ = nullptr;
    TitleFn unregister_ = nullptr;
    TitleFn getAllText_ = nullptr;
    CommunicateFn communicate_ = nullptr;
};

}  // namespace tamblo
