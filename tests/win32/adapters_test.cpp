// The Win32 adapters against the real system where no case can reach them: a
// DDE name too long to make, and a library without one of the functions.
// Non-zero exit on a failure.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <string>

#include "driver.h"
#include "link/win32/ddeml_conversation.h"
#include "link/win32/wadapi_library.h"

namespace {

DWORD server = 0;
HSZ serviceName = nullptr, topicName = nullptr;

// Like most servers it takes any conversation offered, a wildcard one too.
HDDEDATA CALLBACK Serve(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    if (type == XTYP_CONNECT) return reinterpret_cast<HDDEDATA>(TRUE);
    if (type != XTYP_WILDCONNECT) return nullptr;
    HSZPAIR pairs[] = {{serviceName, topicName}, {nullptr, nullptr}};
    return DdeCreateDataHandle(server, reinterpret_cast<BYTE*>(pairs), sizeof pairs, 0, nullptr, 0, 0);
}

// A call into a freed library ends the test at once, not in the debugger.
LONG WINAPI Crashed(EXCEPTION_POINTERS* exception) {
    std::printf("FAILED: crashed at %p\n", exception->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main() try {
    using e2e::Check;
    SetUnhandledExceptionFilter(Crashed);
    DdeInitializeA(&server, Serve, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0);
    serviceName = DdeCreateStringHandleA(server, "AdaptersTest", CP_WINANSI);
    topicName = DdeCreateStringHandleA(server, "Topic", CP_WINANSI);
    DdeNameService(server, serviceName, nullptr, DNS_REGISTER);
    tamblo::DdemlConversation conversation;
    const std::string tooLong(300, 'W');
    Check(!conversation.Open(tooLong, "Topic"), "a service name too long connects");
    Check(!conversation.Open("AdaptersTest", tooLong), "a topic name too long connects");
    Check(conversation.Open("AdaptersTest", "Topic"), "no conversation with the test server");

    // The simulated library beside the build, with KillDDE renamed: InitDDE
    // before it resolves, the others after it too, then the library is freed.
    std::string dll;
    e2e::ReadFile(e2e::BesideTests("..\\wadapi.dll"), dll);
    const size_t kill = dll.find(std::string("KillDDE\0", 8));
    Check(kill != std::string::npos, "no simulated wadapi.dll beside the build");
    dll[kill + 6] = 'X';
    e2e::WriteFile(e2e::BesideTests("wadapi.dll"), dll);
    tamblo::WadapiLibrary library;
    Check(library.Load().has_value(), "a library without KillDDE loads");
    // Each must do nothing now.
    struct : tamblo::LibraryCallbacks {
        int32_t ProcessAckData(const std::string&) override { return 0; }
        int32_t ProcessReceivedData(const std::string&, int32_t, const std::string&) override { return 0; }
        int32_t ProcessAllText(const std::string&) override { return 0; }
    } callbacks;
    library.InitDDE("Tamblo", callbacks);
    library.DapiRegister("Tamblo");
    library.DapiCommunicate("Tamblo", 0, "", "hello");
    library.DapiGetAllText("Tamblo");
    library.DapiUnregister("Tamblo");
    std::printf("passed\n");
    return 0;
} catch (const std::exception& failure) {
    std::printf("FAILED: %s\n", failure.what());
    return 1;
}
