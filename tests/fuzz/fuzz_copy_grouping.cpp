// Feeds arbitrary bytes as MARC records to the copy grouping (identifiers,
// marks, work key) and to the field-by-field comparison.
#include <cstddef>
#include <cstdint>
#include <string>

#include "display/RecordComparison.h"
#include "engine/CopyGrouping.h"
#include "engine/Record.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t half = size / 2;
    CopyGrouping grouping;
    for (int32_t n = 1; n <= 3; ++n) {
        Record r;
        r.number = n;
        r.kind = Marc;
        r.rawData = n == 2 ? bytes.substr(0, half) : bytes;
        grouping.add(r);
    }
    grouping.takeOut(2);
    grouping.join({1, 2, 7});
    size_t total = grouping.groups().size() + qualityMarksText(grouping.marks(1)).size();
    for (const ComparedRow& row : compareRecords({bytes, bytes.substr(half)}))
        total += differenceText(row).size();
    sink = total;
    return 0;
}
