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

// The full path of a file in the program's own folder; "" if that is unknown.
std::string BesideProgram(const std::string& fileName) {
    std::string path(32768, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return "";
    path.resize(length);
    return path.substr(0, path.find_last_of('\\') + 1) + fileName;
}

// By its full path, never from the current folder (a download folder can
// hold any DLL); the libraries it needs from its own folder and the system
// folder. The search flags exist where AddDllDirectory does.
HMODULE LoadFrom(const std::string& path) {
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddDllDirectory"))
        return LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
    const std::string path = BesideProgram(LibraryName);
    HMODULE module = path.empty() ? nullptr : LoadFrom(path);
    if (!module) {
        const std::string tried = path.empty() ? LibraryName : path;
        return "The chat client's library " + tried + " could not be loaded: " + SystemMessage(GetLastError(), tried);
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
        return "The chat client's library " + path + " has no function " + missing +
               "\nIt is not the library Tamblo works with.";
    }
    module_ = module;
    return std::nullopt;
}

// Without the library loaded, each call does nothing.
void WadapiLibrary::InitDDE(const std::string& appTitle, LibraryCallbacks& callbacks) {
    listener = &callbacks;
    if (init_) init_(appTitle.c_str(), AckCallback, ReceivedCallback, AllTextCallback);
}

void WadapiLibrary::KillDDE() {
    if (kill_) kill_();
    listener = nullptr;
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
