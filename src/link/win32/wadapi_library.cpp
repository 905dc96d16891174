#include "link/win32/wadapi_library.h"

#include "common/win32/system_message.h"
#include "link/library_callbacks.h"

namespace tamblo {

namespace {

constexpr const wchar_t* LibraryName = L"wadapi.dll";

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

// The full path of a file in the program's own folder; empty if that is
// unknown. Wide: the ANSI path turns a folder named outside the code page
// into question marks, which name no folder.
std::wstring BesideProgram(const wchar_t* fileName) {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return L"";
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + fileName;
}

// For the host's message only.
std::string Ansi(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    std::string ansi(WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
    return ansi;
}

// By its full path, never from the current folder (a download folder can
// hold any DLL); the libraries it needs from its own folder and the system
// folder. The search flags exist where AddDllDirectory does.
HMODULE LoadFrom(const std::wstring& path) {
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddDllDirectory"))
        return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
    const std::wstring beside = BesideProgram(LibraryName);
    HMODULE module = beside.empty() ? nullptr : LoadFrom(beside);
    const DWORD error = GetLastError();
    const std::string path = Ansi(beside.empty() ? LibraryName : beside);
    if (!module) return "The chat client's library " + path + " could not be loaded: " + SystemMessage(error, path);
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
