// Feeds arbitrary bytes as MARC records to what Send to Catalogue makes of a
// record before it goes out: its duplicate queries, the match test and the
// overlaid record, which must read back with the catalogue's number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "send/CatalogueMatch.h"
#include "send/OverlayRecord.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    size_t total = 0;
    for (const std::string& query : duplicateQueries(bytes)) total += query.size();
    total += sameIdentifiers(bytes, bytes.substr(size / 2)) ? 1 : 0;
    const std::string overlaid = overlayRecord(bytes, "cat-1");
    if (!overlaid.empty() && controlNumber(overlaid) != "cat-1") std::abort();
    sink = total + overlaid.size();
    return 0;
}
