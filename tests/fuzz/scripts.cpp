// LoadScripts over any TAMBLO.TXT, then the round trip: the 30 texts of the
// input (split at NULs) saved and loaded again come back with carriage
// returns as spaces and stripped, and opening line 2 is the credit line.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/text_rules.h"
#include "fakes.h"
#include "scripts/script_store.h"

using namespace tamblo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    testing::FakeFileSystem files;
    files.files[ScriptFileName] = input;
    ScriptStore store(files);
    store.LoadScripts();
    for (const std::string& text : store.Texts().ToFileOrder())
        if (text != Strip(text) || text.find('\r') != std::string::npos) std::abort();
    if (store.Texts().OpeningText[1] != CreditLine) std::abort();

    ScriptFileTexts texts;
    for (size_t start = 0, i = 0; i < texts.size(); ++i) {
        const size_t end = std::min(input.find('\0', start), size);
        texts[i] = input.substr(start, end - start);
        start = std::min(end + 1, size);
    }
    if (!store.SaveScripts(texts).ok) std::abort();
    store.LoadScripts();
    for (int i = 0; i < ScriptTextCount; ++i) {
        std::replace(texts[i].begin(), texts[i].end(), '\r', ' ');
        if (store.Texts().InFileOrder(i) != (i == 1 ? std::string(CreditLine) : Strip(texts[i]))) std::abort();
    }
    return 0;
}
