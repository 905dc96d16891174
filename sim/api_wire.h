// How the simulated wadapi.dll and chatsim.exe talk: synchronous WM_COPYDATA
// messages between their windows. Shared by both sides.
#pragma once

#include <windows.h>

namespace chatsim {

constexpr const char* SimWindowClass = "ChatSimRoom";
// The library's hidden window, one per process that called InitDDE.
constexpr const char* ApiClientWindowClass = "WadapiSimClient";

// WM_COPYDATA codes (dwData).
// A line for the room (tests, see README.md).
constexpr ULONG_PTR InjectLineData = 1;
// Library -> chatsim: the call name and its arguments, each ended by a NUL
// (arguments are C strings, so a NUL cannot occur inside one); wParam is
// the library's window. The answer is the message result, below.
constexpr ULONG_PTR ApiCallData = 2;
// chatsim -> library, while a DapiGetAllText call waits: the room text.
constexpr ULONG_PTR AllTextData = 3;
// Test -> chatsim, then chatsim -> library: "<sender>\f<data>".
constexpr ULONG_PTR ReceivedData = 4;

// Result of an ApiCallData message: 0 when there is no code to send (an
// unknown call, or a GetAllText told to stay silent), else the code + 1.
constexpr LRESULT NoResultCode = 0;
constexpr LRESULT EncodeResultCode(int code) { return code + 1; }
constexpr int DecodeResultCode(LRESULT result) { return static_cast<int>(result) - 1; }

}  // namespace chatsim
