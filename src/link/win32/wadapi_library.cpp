#include "link/win32/wadapi_library.h"

#include "common/win32/win32_file_system.h"
#include "link/library_callbacks.h"

namespace tamblo {

namespace {

constexpr const char* LibraryName = "wadapi.dll";

// A failure inside a callback is ignored: the library always gets 0 back.
int32_t __stdcall AckCallback(const char* code) {
    try {
        ProcessAckData(CountedText(code));
    } catch (...) {
    }
    return 0;
}

int32_t __stdcall ReceivedCallback(const char* sender, int32_t count, const char* data) {
    try {
        ProcessReceivedData(CountedText(sender), count, CountedText(data));
    } catch (...) {
    }
    return 0;
}

int32_t __stdcall AllTextCallback(const char* text) {
    try {
        ProcessAllText(CountedText(text));
    } catch (...) {
    }
    return 0;
}

// The first function missing, with the system's reason.
template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function, std::string& missing) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!function && missing.empty()) missing = std::string(name) + ": " + SystemMessage(GetLastError(), name);
}

}  // namespace

std::optional<std::string> WadapiLibrary::Load() {
    if (module_) return std::nullopt;
    HMODULE module = LoadLibraryA(LibraryName);
    if (!module) {
        return "The chat client's library " + std::string(LibraryName) + " could not be loaded: " +
               SystemMessage(GetLastError(), LibraryName);
    }
    std::string missing;
    Resolve(module, "InitDDE", init_, missing);
    Resolve(module, "KillDDE", kill_, missing);
    Resolve(module, "DapiRegister", register_, missing);
    Resolve(module, "DapiUnregister", unregister_, missing);
    Resolve(module, "DapiGetAllText", getAllText_, missing);
    Resolve(module, "DapiCommunicate", communicate_, missing);
    if (!missing.empty()) {
        FreeLibrary(module);
        // Its code is gone: no call may reach it.
        init_ = nullptr;
        kill_ = nullptr;
        register_ = unregister_ = getAllText_ = nullptr;
        communicate_ = nullptr;
        return "The chat client's library " + std::string(LibraryName) + " has no function " + missing +
               "\nIt is not the library Tamblo works with.";
    }
    module_ = module;
    return std::nullopt;
}

// Without the library loaded, each call does nothing.
void WadapiLibrary::InitDDE(const std::string& appTitle) {
    if (init_) init_(appTitle.c_str(), AckCallback, ReceivedCallback, AllTextCallback);
}

void WadapiLibrary::KillDDE() {
    if (kill_) kill_();
}

void WadapiLibrary::DapiRegister(const std::string& appTitle) {
    if (register_) register_(appTitle.c_str());
}

void WadapiLibrary::DapiUnregister(const std::string& appTitle) {
    if (unregister_) unregister_(appTitle.c_str());
}

void WadapiLibrary::DapiGetAllText(const std::string& appTitle) {
    if (getAllText_) getAllText_(appTitle.c_str());
}

void WadapiLibrary::DapiCommunicate(const std::string& appTitle, int mode, const std::string& avatarName,
                                    const std::string& text) {
    if (communicate_) communicate_(appTitle.c_str(), mode, avatarName.c_str(), text.c_str());
}

}  // namespace tamblo
