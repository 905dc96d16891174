// The library transport: the chat client's own library `wadapi`.
#pragma once

#include <string>

namespace tamblo {

// False when the library could not be loaded at the last registration: the
// senders and the fetch then do nothing.
bool LibraryReady();

void LibraryRegister();
void LibraryUnregister();
void LibraryCommunicate(int mode, const std::string& avatarName, const std::string& text);
void LibraryFetchChatText();

}  // namespace tamblo
