// The simulated chat-client library: every call is passed to a running
// chatsim.exe, and its answers come back through the caller's callbacks.
//
// Callbacks run from the window procedure of a hidden window made on the
// thread that called InitDDE: each answer is queued and a message posted,
// so they arrive during that thread's next message processing, never
// inside a library call.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "../api_wire.h"

extern "C" {
typedef int32_t(__stdcall* AckFn)(const char* code);
typedef int32_t(__stdcall* ReceivedFn)(const char* sender, int32_t count, const char* data);
typedef int32_t(__stdcall* AllTextFn)(const char* text);

int32_t __stdcall InitDDE(const char* appTitle, AckFn ack, ReceivedFn received, AllTextFn allText);
int32_t __stdcall KillDDE(void);
int32_t __stdcall DapiRegister(const char* appTitle);
int32_t __stdcall DapiUnregister(const char* appTitle);
int32_t __stdcall DapiGetAllText(const char* appTitle);
int32_t __stdcall DapiCommunicate(const char* appTitle, int32_t mode, const char* avatarName, const char* text);
}

namespace {

using chatsim::AllTextData;
using chatsim::ReceivedData;

// A call that did not reach chatsim, or got no code back.
constexpr int32_t NoAnswer = -1;
constexpr UINT DeliverMessage = WM_APP + 1;
constexpr DWORD CallTimeoutMs = 10000;

enum class Kind { Ack, Received, AllText };

struct Delivery {
    Kind kind;
    std::string sender;  // Received only
    std::string text;
};

HINSTANCE module = nullptr;
// Guards everything below: a call may come from another thread than the
// window's.
SRWLOCK lock = SRWLOCK_INIT;
HWND window = nullptr;
AckFn ackCallback = nullptr;
ReceivedFn receivedCallback = nullptr;
AllTextFn allTextCallback = nullptr;
std::deque<Delivery> pending;

class Locked {
public:
    Locked() { AcquireSRWLockExclusive(&lock); }
    ~Locked() { ReleaseSRWLockExclusive(&lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

std::string Text(const char* text) { return text ? text : ""; }

void Queue(Delivery delivery) {
    HWND target;
    {
        Locked guard;
        if (!window) return;
        pending.push_back(std::move(delivery));
        target = window;
    }
    PostMessageA(target, DeliverMessage, 0, 0);
}

// The layout SysAllocStringByteLen makes: a 32-bit byte count, the bytes, a
// NUL; callers get a pointer to the first byte.
class CountedText {
public:
    explicit CountedText(const std::string& text) : buffer_(4 + text.size() + 1, '\0') {
        const auto count = static_cast<uint32_t>(text.size());
        CopyMemory(buffer_.data(), &count, 4);
        CopyMemory(buffer_.data() + 4, text.data(), text.size());
    }
    const char* get() const { return buffer_.data() + 4; }

private:
    std::vector<char> buffer_;
};

void DeliverOne() {
    Delivery delivery;
    AckFn ack;
    ReceivedFn received;
    AllTextFn allText;
    {
        Locked guard;
        // Dropped by KillDDE or a new InitDDE in the meantime.
        if (pending.empty()) return;
        delivery = std::move(pending.front());
        pending.pop_front();
        ack = ackCallback;
        received = receivedCallback;
        allText = allTextCallback;
    }
    // No lock held: a callback may call the library again.
    const CountedText text(delivery.text);
    switch (delivery.kind) {
        case Kind::Ack:
            if (ack) ack(text.get());
            break;
        case Kind::AllText:
            if (allText) allText(text.get());
            break;
        case Kind::Received:
            if (received) {
                const CountedText sender(delivery.sender);
                received(sender.get(), static_cast<int32_t>(delivery.text.size()), text.get());
            }
            break;
    }
}

// Sent by chatsim, mostly while this thread waits in Call below.
LRESULT CopyData(const COPYDATASTRUCT& data) {
    const char* bytes = static_cast<const char*>(data.lpData);
    const std::string content(bytes ? bytes : "", bytes ? data.cbData : 0);
    if (data.dwData == AllTextData) {
        Queue({Kind::AllText, {}, content});
        return TRUE;
    }
    if (data.dwData == ReceivedData) {
        const auto formFeed = content.find('\f');
        if (formFeed == std::string::npos) return FALSE;
        Queue({Kind::Received, content.substr(0, formFeed), content.substr(formFeed + 1)});
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case DeliverMessage:
            DeliverOne();
            return 0;
        case WM_COPYDATA:
            return CopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool RegisterWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = chatsim::ApiClientWindowClass;
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Forgets the window and what it still had to deliver; destroys it when it
// belongs to this thread (another thread's window cannot be destroyed here,
// but with its queue empty it calls nothing any more).
void DropWindow() {
    HWND old;
    {
        Locked guard;
        old = window;
        window = nullptr;
        ackCallback = nullptr;
        receivedCallback = nullptr;
        allTextCallback = nullptr;
        pending.clear();
    }
    if (old && GetWindowThreadProcessId(old, nullptr) == GetCurrentThreadId()) DestroyWindow(old);
}

HWND CurrentWindow() {
    Locked guard;
    return window;
}

// One call to chatsim: the call name and arguments, each ended by a NUL.
// The result code chatsim answered, or NoAnswer.
int32_t Call(const std::vector<std::string>& fields) {
    HWND chatsim = FindWindowA(chatsim::SimWindowClass, nullptr);
    if (!chatsim) return NoAnswer;
    std::string bytes;
    for (const std::string& field : fields) bytes += field + '\0';
    COPYDATASTRUCT data = {};
    data.dwData = chatsim::ApiCallData;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = bytes.data();
    DWORD_PTR result = chatsim::NoResultCode;
    // Not SMTO_BLOCK: the room text comes back as a message sent to our
    // window while this one waits.
    if (!SendMessageTimeoutA(chatsim, WM_COPYDATA, reinterpret_cast<WPARAM>(CurrentWindow()),
                             reinterpret_cast<LPARAM>(&data), SMTO_NORMAL | SMTO_ABORTIFHUNG, CallTimeoutMs,
                             &result) ||
        static_cast<LRESULT>(result) == chatsim::NoResultCode) {
        return NoAnswer;
    }
    return chatsim::DecodeResultCode(static_cast<LRESULT>(result));
}

// A call whose result code goes to ProcessAckData as text.
int32_t AcknowledgedCall(const std::vector<std::string>& fields) {
    const int32_t code = Call(fields);
    if (code != NoAnswer) Queue({Kind::Ack, {}, std::to_string(code)});
    return code;
}

}  // namespace

extern "C" {

int32_t __stdcall InitDDE(const char* appTitle, AckFn ack, ReceivedFn received, AllTextFn allText) {
    DropWindow();
    if (!RegisterWindowClass()) return NoAnswer;
    // Top-level but never shown; chatsim sends to it across processes.
    HWND created = CreateWindowExA(0, chatsim::ApiClientWindowClass, "wadapi", WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, module, nullptr);
    if (!created) return NoAnswer;
    {
        Locked guard;
        window = created;
        ackCallback = ack;
        receivedCallback = received;
        allTextCallback = allText;
    }
    return Call({"InitDDE", Text(appTitle)}) == 0 ? 0 : NoAnswer;
}

int32_t __stdcall KillDDE(void) {
    // Told first, while chatsim can still tell which client this was.
    const int32_t code = Call({"KillDDE"});
    DropWindow();
    return code == 0 ? 0 : NoAnswer;
}

int32_t __stdcall DapiRegister(const char* appTitle) { return AcknowledgedCall({"DapiRegister", Text(appTitle)}); }

int32_t __stdcall DapiUnregister(const char* appTitle) {
    return AcknowledgedCall({"DapiUnregister", Text(appTitle)});
}

// The room text, if any, is queued while the call waits, so it is
// delivered before the code.
int32_t __stdcall DapiGetAllText(const char* appTitle) {
    return AcknowledgedCall({"DapiGetAllText", Text(appTitle)});
}

int32_t __stdcall DapiCommunicate(const char* appTitle, int32_t mode, const char* avatarName, const char* text) {
    return AcknowledgedCall({"DapiCommunicate", Text(appTitle), std::to_string(mode), Text(avatarName), Text(text)});
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // FreeLibrary: the window procedure is about to go away.
        DropWindow();
        UnregisterClassA(chatsim::ApiClientWindowClass, module);
    }
    return TRUE;
}
