// Feeds arbitrary bytes as MARC records to the copy grouping (identifiers,
// marks, work key) and to the field-by-field comparison, and checks that every
// record ends in exactly one group.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/RecordComparison.h"
#include "copies/CopyGroupText.h"
#include "copies/CopyGrouping.h"
#include "records/Record.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

// Aborts, for the fuzzer to report, unless each record is in one group.
void checkEveryRecordInOneGroup(const CopyGrouping& grouping) {
    std::vector<int> seen(grouping.recordCount() + 1, 0);
    for (const CopyGroup& group : grouping.groups()) {
        if (group.members.empty()) std::abort();
        for (int32_t number : group.members) {
            if (number <= 0 || static_cast<size_t>(number) >= seen.size() || seen[number]++)
                std::abort();
        }
    }
    for (size_t number = 1; number < seen.size(); ++number)
        if (seen[number] != 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t half = size / 2;
    // The whole input, its halves, and each record of it as a record of its own.
    std::vector<std::string> records = {bytes, bytes.substr(0, half), bytes.substr(half)};
    for (size_t at = 0; at < size && records.size() < 12;) {
        const size_t terminator = bytes.find('\x1d', at);
        const size_t end = terminator == std::string::npos ? size : terminator + 1;
        records.push_back(bytes.substr(at, end - at));
        at = end;
    }
    CopyGrouping grouping;
    int32_t number = 0;
    for (const std::string& raw : records) {
        Record r;
        r.number = ++number;
        r.targetId = number % 3;
        r.kind = Marc;
        r.rawData = raw;
        grouping.add(r);
    }
    checkEveryRecordInOneGroup(grouping);
    grouping.takeOut(2);
    grouping.join({1, 2, 7});
    checkEveryRecordInOneGroup(grouping);
    size_t total = qualityMarksText(grouping.marks(1)).size();
    for (const CopyGroup& group : grouping.groups()) total += groupReasonText(group).size();
    for (const ComparedRow& row : compareRecords({bytes, bytes.substr(half)}))
        total += differenceText(row).size();
    sink = total;
    return 0;
}
