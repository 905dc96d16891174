// The library transport: the chat client's own library `wadapi`.
#pragma once

#include <string>

namespace tamblo {

void LibraryRegister();
void LibraryUnregister();
void LibraryCommunicate(int mode, const std::string& avatarName, const std::string& text);
void LibraryFetchChatText();

}  // namespace tamblo
