#include "link/win32/wadapi_library.h"

#include "common/win32/system_message.h"
#include "link/library_callbacks.h"

namespace tamblo {

namespace {

constexpr const char* LibraryName = "wadapi.dll";

// The library's callbacks carry no context of ours: the one slot the
// binary interface leaves, set from InitDDE to KillDDE.
LibraryCallbacks* listener = nullptr;

// A failure inside a callback is ignored: the library always gets 0 back.
int32_t __stdcall AckCallback(const char* code) {
    try {
        if (listener) listener->ProcessAckData(CountedText(code));
    } catch (...) {
    }
    return 0;
}

int32_t __stdcall ReceivedCallback(const char* sender, int32_t count, const char* data) {
    try {
        if (listener) listener->ProcessReceivedData(CountedText(sender), count, CountedText(data));
    } catch (...) {
    }
    return 0;
}

int32_t __stdcall AllTextCallback(const char* text) {
    try {
        if (listener) listener->ProcessAllText(CountedText(text));
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
        return "The chat client's library " + std::string(LibraryName) + " has no function " + missing +
               "\nIt is not the library Tamblo works with.";
    }
    module_ = module;
    return std::nullopt;
}

void WadapiLibrary::InitDDE(const std::string& appTitle, LibraryCallbacks& callbacks) {
    listener = &callbacks;
    init_(appTitle.c_str(), AckCallback, ReceivedCallback, AllTextCallback);
}

void WadapiLibrary::KillDDE() {
    kill_();
    listener = nullptr;
}

void WadapiLibrary::DapiRegister(const std::string& appTitle) { register_(appTitle.c_str()); }

void WadapiLibrary::DapiUnregister(const std::string& appTitle) { unregister_(appTitle.c_str()); }

void WadapiLibrary::DapiGetAllText(const std::string& appTitle) { getAllText_(appTitle.c_str()); }

void WadapiLibrary::DapiCommunicate(const std::string& appTitle, int mode, const std::string& avatarName,
                                    const std::string& text) {
    communicate_(appTitle.c_str(), mode, avatarName.c_str(), text.c_str());
}

}  // namespace tamblo
