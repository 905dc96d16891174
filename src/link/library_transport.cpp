#include "link/library_transport.h"

namespace tamblo {

// Filled in with the library loader; until then the library transport is mute.
void LibraryRegister() {}
void LibraryUnregister() {}
void LibraryCommunicate(int, const std::string&, const std::string&) {}
void LibraryFetchChatText() {}

}  // namespace tamblo
