// Arbitrary text as an SRU server's answer to Explain: read without a crash,
// and taken as an Explain only when it is one, with no empty schema name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "protocol/sru/SruExplain.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SruExplain explain = parseSruExplain(text);
    if (explain.error.empty() && text.find("explainResponse") == std::string::npos) std::abort();
    for (const std::string& schema : explain.schemas)
        if (schema.empty()) std::abort();
    return 0;
}
