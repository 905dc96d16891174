// floor.exe RESULT: the least a Get-Players can do under its pacing, against
// the chat client's DDE service: 12 yields and one fetch written to the
// capture file; a pass over the lines with a yield each; a second pass with
// a yield each, and per sign-up 12 yields and one exchange (disconnect the
// previous one, connect, poke the confirmation). Writes the seconds it took
// to RESULT.
#include <windows.h>
#include <ddeml.h>

#include <fstream>
#include <string>
#include <string_view>

namespace {

DWORD instance = 0;
HSZ service, fetchTopic, title, communicate;  // made once
HCONV open = nullptr;  // the last exchange's, closed by the next one

void YieldOnce() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void YieldTimes(int count) {
    for (int i = 0; i < count; ++i) YieldOnce();
}

HDDEDATA CALLBACK Ignore(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

HSZ Name(const char* text) { return DdeCreateStringHandleA(instance, text, CP_WINANSI); }

std::string Fetch() {
    HCONV conversation = DdeConnect(instance, service, fetchTopic, nullptr);
    HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation, title, CF_TEXT, XTYP_REQUEST, 5000, nullptr);
    std::string text(data ? DdeGetData(data, nullptr, 0, 0) : 0, '\0');
    if (data) DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), static_cast<DWORD>(text.size()), 0);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    DdeDisconnect(conversation);
    return text;
}

void Confirm(std::string_view name) {
    const std::string record = "Tamblo\f2\f" + std::string(name) + "\fYou are on the List.";
    if (open) DdeDisconnect(open);
    HCONV conversation = open = DdeConnect(instance, service, communicate, nullptr);
    DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(record.c_str())),
                         static_cast<DWORD>(record.size() + 1), conversation, communicate, CF_TEXT, XTYP_POKE,
                         5000, nullptr);
}

// Calls line(text) for each CR LF-ended line.
template <typename Each>
void ForEachLine(std::string_view text, Each line) {
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        line(text.substr(start, end - start));
    }
}

}  // namespace

// A window program, as the one it is the floor for.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 2) return 2;
    CreateWindowExA(0, "Static", "floor", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    DdeInitializeA(&instance, Ignore, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0);
    service = Name("WorldsApi"), fetchTopic = Name("WorldsApi_GetAllText"), title = Name("Tamblo");
    communicate = Name("WorldsApi_Communicate");
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);

    YieldTimes(12);
    DeleteFileA("C:\\KOBAX.TXT");
    const std::string text = Fetch() + "\r\n";
    std::ofstream("C:\\KOBAX.TXT", std::ios::binary) << text;
    ForEachLine(text, [](std::string_view) { YieldOnce(); });
    constexpr std::string_view SignUp = "ESP from ", Dollar = ": $";
    ForEachLine(text, [&](std::string_view line) {
        YieldOnce();
        if (!line.starts_with(SignUp) || !line.ends_with(Dollar)) return;
        YieldTimes(12);
        Confirm(line.substr(SignUp.size(), line.size() - SignUp.size() - Dollar.size()));
    });

    QueryPerformanceCounter(&end);
    if (open) DdeDisconnect(open);
    std::ofstream(__argv[1]) << static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart << "\n";
    DdeUninitialize(instance);
    return 0;
}
