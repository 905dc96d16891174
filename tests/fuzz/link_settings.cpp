// LoadLinkSettings over any SCONTROL.TXT: every setting stays in its range.
#include <cstdlib>
#include <string>

#include "common/text_rules.h"
#include "fakes.h"
#include "link/link_settings.h"

using namespace tamblo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::FakeFileSystem files;
    const std::string content(reinterpret_cast<const char*>(data), size);
    files.files[LinkSettingsFileName] = content;
    const LinkSettings read = ReadLinkSettings(files);
    const std::string& title = read.ClientWindowTitle;
    if (title != Strip(title) || title.find('\r') != std::string::npos || title.size() > MaxFileLineLength)
        std::abort();
    // Fewer than four lines leave the pause at its default.
    LineReader reader(content);
    int lines = 0;
    for (std::string line; lines < 4 && reader.ReadLine(line);) ++lines;
    if (read.SendPauseSeconds != 0 && lines < 4) std::abort();
    return 0;
}
