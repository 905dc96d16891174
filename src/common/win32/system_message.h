// The system's own words for an error code.
#pragma once

#include <string>

namespace tamblo {

// Without the trailing line end; every insert of the text names the subject.
std::string SystemMessage(unsigned long errorCode, const std::string& subject = "the file");

}  // namespace tamblo
