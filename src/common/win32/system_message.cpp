#include "common/win32/system_message.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace tamblo {

std::string SystemMessage(unsigned long errorCode, const std::string& subject) {
    // Every insert (%1, %2 ...) names the subject, so no placeholder is left.
    DWORD_PTR inserts[9];
    std::fill(std::begin(inserts), std::end(inserts), reinterpret_cast<DWORD_PTR>(subject.c_str()));
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr,
        errorCode, 0, reinterpret_cast<char*>(&buffer), 0, reinterpret_cast<va_list*>(inserts));
    std::string message = length ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    if (message.empty()) message = "system error " + std::to_string(errorCode);
    return message;
}

}  // namespace tamblo
