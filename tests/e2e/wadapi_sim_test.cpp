// The simulated wadapi.dll, loaded into this process as the program loads
// it, against a running chatsim.exe: result codes, the room, the callbacks'
// text layout and thread, and the simulator's log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "chat_sim.h"

namespace {

using e2e::ChatSim;
using namespace std::string_literals;

typedef int32_t(__stdcall* AckFn)(const char* code);
typedef int32_t(__stdcall* ReceivedFn)(const char* sender, int32_t count, const char* data);
typedef int32_t(__stdcall* AllTextFn)(const char* text);

// What a callback got. Texts are copied by their length prefix.
struct Event {
    enum Kind { Ack, AllText, Received };
    explicit Event(Kind k) : kind(k), thread(GetCurrentThreadId()) {}

    Kind kind;
    std::string text;
    std::string sender;
    int32_t count = 0;
    // A NUL after every text's counted bytes.
    bool nulAfter = true;
    DWORD thread;
};

std::vector<Event> events;

std::string CountedText(const char* text, bool& nulAfter) {
    if (!text) return {};
    uint32_t count = 0;
    std::memcpy(&count, text - 4, 4);
    nulAfter = nulAfter && text[count] == '\0';
    return std::string(text, count);
}

int32_t __stdcall OnAck(const char* code) {
    Event event(Event::Ack);
    event.text = CountedText(code, event.nulAfter);
    events.push_back(event);
    return 0;
}

int32_t __stdcall OnAllText(const char* text) {
    Event event(Event::AllText);
    event.text = CountedText(text, event.nulAfter);
    events.push_back(event);
    return 0;
}

int32_t __stdcall OnReceived(const char* sender, int32_t count, const char* data) {
    Event event(Event::Received);
    event.sender = CountedText(sender, event.nulAfter);
    event.text = CountedText(data, event.nulAfter);
    event.count = count;
    events.push_back(event);
    return 0;
}

// One pass over the waiting messages, as the program's yields do.
void PumpOnce() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpOnce();
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

class WadapiSim : public testing::Test {
protected:
    void SetUp() override {
        events.clear();
        module_ = LoadLibraryA(e2e::BesideTests("wadapi.dll").c_str());
        ASSERT_TRUE(module_) << "cannot load " << e2e::BesideTests("wadapi.dll");
        Find(InitDDE, "InitDDE");
        Find(KillDDE, "KillDDE");
        Find(DapiRegister, "DapiRegister");
        Find(DapiUnregister, "DapiUnregister");
        Find(DapiGetAllText, "DapiGetAllText");
        Find(DapiCommunicate, "DapiCommunicate");
    }

    void TearDown() override {
        if (!module_) return;
        if (KillDDE) KillDDE();
        FreeLibrary(module_);
    }

    template <class Function>
    void Find(Function& function, const char* name) {
        // Through void*: FARPROC's own type says nothing about the call.
        function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        EXPECT_TRUE(function) << name << " is not exported under that name";
    }

    int32_t Init(const char* title = "Tamblo") { return InitDDE(title, OnAck, OnReceived, OnAllText); }

    // Makes a call, then processes messages until its code arrives: the code,
    // or "none".
    std::string CodeOf(const std::function<void()>& call) {
        const size_t before = events.size();
        call();
        EXPECT_EQ(events.size(), before) << "a callback ran inside the call";
        const auto hasAck = [&] {
            for (size_t i = before; i < events.size(); ++i) {
                if (events[i].kind == Event::Ack) return true;
            }
            return false;
        };
        PumpUntil(hasAck);
        for (size_t i = before; i < events.size(); ++i) {
            if (events[i].kind == Event::Ack) return events[i].text;
        }
        return "none";
    }
    std::string Register(const char* title) {
        return CodeOf([&] { DapiRegister(title); });
    }
    std::string Unregister(const char* title) {
        return CodeOf([&] { DapiUnregister(title); });
    }
    std::string Communicate(const char* title, int32_t mode, const char* avatar, const char* text) {
        return CodeOf([&] { DapiCommunicate(title, mode, avatar, text); });
    }

    static void ExpectAllWellFormedOnThisThread() {
        for (const Event& event : events) {
            EXPECT_TRUE(event.nulAfter) << "no NUL after the counted bytes of " << event.text;
            EXPECT_EQ(event.thread, GetCurrentThreadId()) << "callback on another thread";
        }
    }

    HMODULE module_ = nullptr;
    int32_t(__stdcall* InitDDE)(const char*, AckFn, ReceivedFn, AllTextFn) = nullptr;
    int32_t(__stdcall* KillDDE)() = nullptr;
    int32_t(__stdcall* DapiRegister)(const char*) = nullptr;
    int32_t(__stdcall* DapiUnregister)(const char*) = nullptr;
    int32_t(__stdcall* DapiGetAllText)(const char*) = nullptr;
    int32_t(__stdcall* DapiCommunicate)(const char*, int32_t, const char*, const char*) = nullptr;
};

TEST_F(WadapiSim, ExportsOnlyUndecoratedNames) {
    // The program looks the calls up by their plain names; a build that
    // exports the __stdcall decorations as well would hide a .def mistake.
    EXPECT_FALSE(GetProcAddress(module_, "_InitDDE@16"));
    EXPECT_FALSE(GetProcAddress(module_, "InitDDE@16"));
    EXPECT_FALSE(GetProcAddress(module_, "DapiCommunicate@16"));
}

TEST_F(WadapiSim, CallsAnswerResultCodesAndChangeTheRoom) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder,
                "host Mister Big\n"
                "line Ann Lee: hello\n"
                "line ESP from Bob: $\n"
                "line ESP to Cy: you asked\n"
                "line Mister Big: welcome\n"
                "after 1 Dee: here now\n");
    ASSERT_TRUE(sim.ready()) << sim.failure();
    ASSERT_EQ(Init(), 0);

    EXPECT_EQ(Register("Tamblo"), "0");
    EXPECT_EQ(Register("Tamblo"), "9");
    EXPECT_EQ(Communicate("Tamblo", 0, "", "Hello all"), "0");
    // The avatar name only matters for ESPs.
    EXPECT_EQ(Communicate("Tamblo", 1, "Nobody", "who wins?"), "0");
    EXPECT_EQ(Communicate("Tamblo", 2, "Ann Lee", "you are in"), "0");
    EXPECT_EQ(Communicate("Tamblo", 2, "Bob", "you too"), "0");
    // Came in with the first Comm record, by the scenario.
    EXPECT_EQ(Communicate("Tamblo", 2, "Dee", "and you"), "0");

    EXPECT_EQ(Communicate("Tamblo", 0, "", ""), "11");
    EXPECT_EQ(Communicate("Tamblo", 2, "", "to whom?"), "12");
    EXPECT_EQ(Communicate("Tamblo", 2, "", ""), "11");
    // Only ESPed by the host, the host itself, part of a name.
    EXPECT_EQ(Communicate("Tamblo", 2, "Cy", "x"), "1");
    EXPECT_EQ(Communicate("Tamblo", 2, "Mister Big", "x"), "1");
    EXPECT_EQ(Communicate("Tamblo", 2, "Ann", "x"), "1");
    EXPECT_EQ(Communicate("Other", 2, "", ""), "10");

    EXPECT_EQ(Unregister("Tamblo"), "0");
    EXPECT_EQ(Unregister("Tamblo"), "10");
    EXPECT_EQ(Communicate("Tamblo", 0, "", "too late"), "10");
    EXPECT_EQ(CodeOf([&] { DapiGetAllText("Tamblo"); }), "10");
    for (const Event& event : events) EXPECT_EQ(event.kind, Event::Ack) << "a room text for an unregistered title";
    ExpectAllWellFormedOnThisThread();

    EXPECT_EQ(sim.RoomText(),
              "Ann Lee: hello\r\nESP from Bob: $\r\nESP to Cy: you asked\r\nMister Big: welcome\r\n"
              "Mister Big: Hello all\r\nDee: here now\r\nMister Big thinks: who wins?\r\n"
              "ESP to Ann Lee: you are in\r\nESP to Bob: you too\r\nESP to Dee: and you\r\n");

    ASSERT_EQ(KillDDE(), 0);
    const std::vector<std::string> expected = {
        "api\tInitDDE\tTamblo",
        "api\tDapiRegister\tTamblo",
        "api\tDapiRegister\tTamblo",
        "api\tDapiCommunicate\tTamblo\t0\t\tHello all",
        "api\tDapiCommunicate\tTamblo\t1\tNobody\twho wins?",
        "api\tDapiCommunicate\tTamblo\t2\tAnn Lee\tyou are in",
        "api\tDapiCommunicate\tTamblo\t2\tBob\tyou too",
        "api\tDapiCommunicate\tTamblo\t2\tDee\tand you",
        "api\tDapiCommunicate\tTamblo\t0\t\t",
        "api\tDapiCommunicate\tTamblo\t2\t\tto whom?",
        "api\tDapiCommunicate\tTamblo\t2\t\t",
        "api\tDapiCommunicate\tTamblo\t2\tCy\tx",
        "api\tDapiCommunicate\tTamblo\t2\tMister Big\tx",
        "api\tDapiCommunicate\tTamblo\t2\tAnn\tx",
        "api\tDapiCommunicate\tOther\t2\t\t",
        "api\tDapiUnregister\tTamblo",
        "api\tDapiUnregister\tTamblo",
        "api\tDapiCommunicate\tTamblo\t0\t\ttoo late",
        "api\tDapiGetAllText\tTamblo",
        "api\tKillDDE",
    };
    EXPECT_EQ(sim.Log(), expected);
}

TEST_F(WadapiSim, GetAllTextDeliversTheRoomTextBeforeItsCode) {
    // Past 64 KiB, so that no 16-bit count goes unnoticed.
    std::string scenario = "line Ann: caf\xE9\n";
    std::string room = "Ann: caf\xE9\r\n";
    for (int i = 0; i < 1500; ++i) {
        const std::string line = "Bob: line " + std::to_string(i) + " of a long evening in the practice room";
        scenario += "line " + line + "\n";
        room += line + "\r\n";
    }
    e2e::ScratchFolder folder;
    ChatSim sim(folder, scenario);
    ASSERT_TRUE(sim.ready()) << sim.failure();
    ASSERT_TRUE(sim.Inject("ESP from Cy: $\t5"));
    room += "ESP from Cy: $\t5\r\n";
    ASSERT_GT(room.size(), 65536u);
    ASSERT_EQ(Init(), 0);
    ASSERT_EQ(Register("Tamblo"), "0");
    events.clear();

    EXPECT_EQ(CodeOf([&] { EXPECT_EQ(DapiGetAllText("Tamblo"), 0); }), "0");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, Event::AllText);
    EXPECT_EQ(events[0].text, room);
    ExpectAllWellFormedOnThisThread();
    EXPECT_EQ(sim.Log().back(), "api\tDapiGetAllText\tTamblo");
}

}  // namespace
