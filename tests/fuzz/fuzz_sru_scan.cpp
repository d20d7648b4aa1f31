// Arbitrary text as an SRU server's scan response, and arbitrary bytes as a
// Z39.50 scan term in each charset a target may name: a response is either
// refused or read, counts are never below -1, terms always come out as UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "marc/Utf8.h"
#include "protocol/sru/SruScan.h"
#include "protocol/z3950/Z3950Scan.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SruScanResponse response = parseSruScanResponse(text);
    if (!response.error.empty() && (!response.terms.empty() || !response.diagnostics.empty()))
        std::abort();
    for (const SruScanTerm& t : response.terms) {
        if (t.count < -1) std::abort();
        sink = t.value.size() + t.display.size();
    }
    for (const char* rpn : {"", "ISO-8859-1", "MARC8"})
        for (const char* records : {"", "MARC-8", "ISO-8859-1", "UTF-8"})
            if (!isUtf8(scanTermUtf8(text, rpn, records))) std::abort();
    return 0;
}
