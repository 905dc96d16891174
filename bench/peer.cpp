// bench_peer.exe TEXT POKES: the chat client at its cheapest, so that it is
// never what a Get-Players measurement waits for. Its DDE service answers
// every fetch with the bytes of the file TEXT and keeps the data of every
// Communicate poke, one a line, written to POKES when its thread is told to
// quit. It signals the event "tamblo-bench-peer" once the service is up.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

DWORD instance = 0;
HSZ communicate = nullptr;
std::string chatText;
std::string pokes;

HDDEDATA CALLBACK Serve(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR,
                        ULONG_PTR) {
    switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(TRUE);
        case XTYP_POKE: {
            if (DdeCmpStringHandles(topic, communicate) == 0) {
                std::string bytes(DdeGetData(data, nullptr, 0, 0), '\0');
                DdeGetData(data, reinterpret_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0);
                pokes.append(bytes.c_str()).push_back('\n');
            }
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        case XTYP_REQUEST:
            if (format != CF_TEXT) return nullptr;
            return DdeCreateDataHandle(instance, reinterpret_cast<BYTE*>(chatText.data()),
                                       static_cast<DWORD>(chatText.size() + 1), 0, item, CF_TEXT, 0);
        default:
            return nullptr;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::ostringstream text;
    text << std::ifstream(argv[1], std::ios::binary).rdbuf();
    chatText = text.str();
    if (DdeInitializeA(&instance, Serve, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR)
        return 3;
    communicate = DdeCreateStringHandleA(instance, "WorldsApi_Communicate", CP_WINANSI);
    HSZ service = DdeCreateStringHandleA(instance, "WorldsApi", CP_WINANSI);
    if (!DdeNameService(instance, service, nullptr, DNS_REGISTER)) return 3;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone may post to it
    SetEvent(CreateEventA(nullptr, TRUE, FALSE, "tamblo-bench-peer"));
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
    DdeUninitialize(instance);
    std::ofstream(argv[2], std::ios::binary) << pokes;
    return 0;
}
