// The simulator itself, driven by a minimal DDEML client as the program
// under test drives it.
#include <gtest/gtest.h>
#include <windows.h>
#include <ddeml.h>

#include <optional>
#include <string>

#include "chat_sim.h"

namespace {

using e2e::ChatSim;
using namespace std::string_literals;

// One conversation per exchange: under Wine a second exchange on an open
// conversation misbehaves.
class DdeClient {
public:
    DdeClient() {
        DdeInitializeA(&instance_, Callback, APPCMD_CLIENTONLY, 0);
        service_ = DdeCreateStringHandleA(instance_, "WorldsApi", CP_WINANSI);
    }
    ~DdeClient() {
        DdeFreeStringHandle(instance_, service_);
        DdeUninitialize(instance_);
    }

    bool Connects(const std::string& topic) {
        Conversation conversation(*this, topic);
        return conversation.handle != nullptr;
    }

    // The item is the topic's name, as the chat client expects.
    bool Poke(const std::string& topic, const std::string& data) {
        Conversation conversation(*this, topic);
        if (!conversation.handle) return false;
        DWORD result = 0;
        return DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(data.c_str())),
                                    static_cast<DWORD>(data.size() + 1), conversation.handle, conversation.item,
                                    CF_TEXT, XTYP_POKE, TimeoutMs, &result) != nullptr;
    }

    std::optional<std::string> Request(const std::string& topic) {
        Conversation conversation(*this, topic);
        if (!conversation.handle) return std::nullopt;
        HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation.handle, conversation.item, CF_TEXT,
                                             XTYP_REQUEST, TimeoutMs, nullptr);
        if (!data) return std::nullopt;
        std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
        DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), static_cast<DWORD>(text.size()), 0);
        DdeFreeDataHandle(data);
        return text.substr(0, text.find('\0'));
    }

private:
    static constexpr DWORD TimeoutMs = 5000;

    struct Conversation {
        Conversation(DdeClient& client, const std::string& topic) : instance(client.instance_) {
            HSZ topicName = DdeCreateStringHandleA(instance, topic.c_str(), CP_WINANSI);
            item = DdeCreateStringHandleA(instance, topic.c_str(), CP_WINANSI);
            handle = DdeConnect(instance, client.service_, topicName, nullptr);
            DdeFreeStringHandle(instance, topicName);
        }
        ~Conversation() {
            if (handle) DdeDisconnect(handle);
            DdeFreeStringHandle(instance, item);
        }
        DWORD instance;
        HSZ item;
        HCONV handle;
    };

    static HDDEDATA CALLBACK Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
        return nullptr;
    }

    DWORD instance_ = 0;
    HSZ service_ = nullptr;
};

const std::string Communicate = "WorldsApi_Communicate";

std::string PokeLine(const std::string& topic, const std::string& data) {
    return "poke\t" + topic + "\t" + topic + "\t" + ChatSim::Escape(data);
}

TEST(ChatSim, CommRecordsChangeTheRoomAndEveryRequestIsLogged) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder);
    ASSERT_TRUE(sim.ready()) << sim.failure();
    char title[256] = "";
    GetWindowTextA(sim.window(), title, sizeof title);
    EXPECT_STREQ(title, "VZones 3.0 - practice room");

    DdeClient client;
    EXPECT_TRUE(client.Poke("WorldsApi_Register", "Tamblo"));
    EXPECT_TRUE(client.Poke(Communicate, "Tamblo\f0\f\fHello all"));
    EXPECT_TRUE(client.Poke(Communicate, "Tamblo\f1\f\fwho wins?"));
    EXPECT_TRUE(client.Poke(Communicate, "Tamblo\f2\fAnn Lee\fYou are in, caf\xE9"));
    // Neither changes the room: three fields, and a mode that does not exist.
    EXPECT_TRUE(client.Poke(Communicate, "Tamblo\f0\fHello"));
    EXPECT_TRUE(client.Poke(Communicate, "Tamblo\f3\f\fa\\b\tc\r\nd\x01\x7F"));
    EXPECT_TRUE(client.Poke("WorldsApi_Unregister", "Tamblo"));
    EXPECT_FALSE(client.Connects("WorldsApi_Other"));

    const std::string room = "Host: Hello all\r\nHost thinks: who wins?\r\nESP to Ann Lee: You are in, caf\xE9\r\n";
    EXPECT_EQ(client.Request("WorldsApi_GetAllText"), room);
    EXPECT_EQ(sim.RoomText(), room);

    const std::vector<std::string> expected = {
        "connect\tWorldsApi_Register",
        "poke\tWorldsApi_Register\tWorldsApi_Register\tTamblo",
        "connect\tWorldsApi_Communicate",
        PokeLine(Communicate, "Tamblo\f0\f\fHello all"),
        "connect\tWorldsApi_Communicate",
        PokeLine(Communicate, "Tamblo\f1\f\fwho wins?"),
        "connect\tWorldsApi_Communicate",
        PokeLine(Communicate, "Tamblo\f2\fAnn Lee\fYou are in, caf\xE9"),
        "connect\tWorldsApi_Communicate",
        PokeLine(Communicate, "Tamblo\f0\fHello"),
        "connect\tWorldsApi_Communicate",
        // Written out, so that Escape itself is checked too.
        "poke\tWorldsApi_Communicate\tWorldsApi_Communicate\tTamblo\\f3\\f\\fa\\\\b\\tc\\r\\nd\\x01\\x7F",
        "connect\tWorldsApi_Unregister",
        "poke\tWorldsApi_Unregister\tWorldsApi_Unregister\tTamblo",
        "connect\tWorldsApi_Other",
        "connect\tWorldsApi_GetAllText",
        "request\tWorldsApi_GetAllText\tWorldsApi_GetAllText",
    };
    EXPECT_EQ(sim.Log(), expected);
}

TEST(ChatSim, ScenarioSetsHostTitleAndRoomLines) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder,
                "# a drawing with two sign-ups\r\n"
                "host Mister Big\r\n"
                "title VZones 3.0 - test room\n"
                "\n"
                "line Ann: hello\n"
                "line ESP from Ann: $\n"
                "after 2 Bob: late\n"
                "after 2 ESP from Bob: $\n");
    ASSERT_TRUE(sim.ready()) << sim.failure();
    char title[256] = "";
    GetWindowTextA(sim.window(), title, sizeof title);
    EXPECT_STREQ(title, "VZones 3.0 - test room");
    EXPECT_EQ(sim.RoomText(), "Ann: hello\r\nESP from Ann: $\r\n");

    DdeClient client;
    ASSERT_TRUE(client.Poke(Communicate, "Tamblo\f0\f\fone"));
    EXPECT_EQ(sim.RoomText(), "Ann: hello\r\nESP from Ann: $\r\nMister Big: one\r\n");
    // A malformed record counts as well.
    ASSERT_TRUE(client.Poke(Communicate, "garbage"));
    EXPECT_EQ(client.Request("WorldsApi_GetAllText"),
              "Ann: hello\r\nESP from Ann: $\r\nMister Big: one\r\nBob: late\r\nESP from Bob: $\r\n"s);
}

TEST(ChatSim, GetAllTextCanAnswerEmptyOrFail) {
    DdeClient client;
    {
        e2e::ScratchFolder folder;
        ChatSim sim(folder, "line Ann: hello\ngetalltext empty\n");
        ASSERT_TRUE(sim.ready()) << sim.failure();
        EXPECT_EQ(client.Request("WorldsApi_GetAllText"), ""s);
    }
    {
        e2e::ScratchFolder folder;
        ChatSim sim(folder, "line Ann: hello\ngetalltext silent\n");
        ASSERT_TRUE(sim.ready()) << sim.failure();
        EXPECT_EQ(client.Request("WorldsApi_GetAllText"), std::nullopt);
        EXPECT_EQ(sim.Log().back(), "request\tWorldsApi_GetAllText\tWorldsApi_GetAllText");
    }
}

TEST(ChatSim, RejectsAnUnknownDirective) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder, "host Ann\nsay hello\n");
    EXPECT_FALSE(sim.ready());
    EXPECT_NE(sim.failure().find("line 2"), std::string::npos) << sim.failure();
}

TEST(ChatSim, InjectedAndTypedLinesJoinTheRoom) {
    e2e::ScratchFolder folder;
    ChatSim sim(folder);
    ASSERT_TRUE(sim.ready()) << sim.failure();
    ASSERT_TRUE(sim.Inject("ESP from Ann Lee: $"));
    ASSERT_TRUE(sim.Inject("Bob: a\tb"));

    // The second edit box is the line a person types.
    HWND roomBox = FindWindowExA(sim.window(), nullptr, "Edit", nullptr);
    HWND entry = FindWindowExA(sim.window(), roomBox, "Edit", nullptr);
    HWND say = FindWindowExA(sim.window(), nullptr, "Button", "Say");
    ASSERT_TRUE(entry && say);
    SendMessageA(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Cy: typed"));
    SendMessageA(say, BM_CLICK, 0, 0);

    EXPECT_EQ(sim.RoomText(), "ESP from Ann Lee: $\r\nBob: a\tb\r\nCy: typed\r\n");
    const std::vector<std::string> expected = {"inject\tESP from Ann Lee: $", "inject\tBob: a\\tb",
                                               "inject\tCy: typed"};
    EXPECT_EQ(sim.Log(), expected);
    DdeClient client;
    EXPECT_EQ(client.Request("WorldsApi_GetAllText"), "ESP from Ann Lee: $\r\nBob: a\tb\r\nCy: typed\r\n"s);
}

}  // namespace
