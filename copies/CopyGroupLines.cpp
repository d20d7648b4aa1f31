#include "copies/CopyGroupLines.h"

#include "records/BriefLine.h"
#include "copies/CopyGrouping.h"
#include "records/ResultStore.h"

std::string copyGroupLines(const ResultStore& store, CopyGrouping& grouping) {
    grouping.catchUp(store);
    std::string out;
    int groupNumber = 0;
    for (const CopyGroup& group : grouping.groups()) {
        ++groupNumber;
        const std::string prefix = std::to_string(groupNumber) + '\t' + group.reasonKey + '\t';
        store.visitRecords(group.members.data(), group.members.size(), [&](const Record& r) {
            out += prefix + briefValue(r.targetName) + '\t' + briefValue(r.title) + '\n';
        });
    }
    return out;
}
