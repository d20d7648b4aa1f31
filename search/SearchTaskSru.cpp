// The SRU steps of a search task: the query as CQL, and the pages stored as
// they come.
#include <algorithm>
#include <string>

#include "protocol/sru/PqfToCql.h"
#include "search/RecordBuilder.h"
#include "search/SearchEvent.h"
#include "search/SearchTask.h"
#include "protocol/sru/SruSession.h"
#include "targets/Target.h"

bool SearchTask::sendSru(const std::string& pqf) {
    const CqlConversion cql = pqfToCql(pqf, settings_->SRUMappingFile);
    if (!cql.error.empty()) {
        recordError(cql.error + "\n");
        return false;
    }
    const int32_t first = batch_ ? batchFirst_ : target_.search.positionsTaken();
    sruFailed_ = false;
    if (sruSession_->search(cql.cql, first, std::max(0, settings_->MaxRecPerTarget))) return true;
    if (sruSession_->stopped()) return false;
    // Records that came with a diagnostic are kept, as on any later page;
    // retrieveSru tells it once they are stored.
    if (sruSession_->record(first)) return true;
    // Told by checkError, once an index fallback has had its chance.
    sruFailed_ = true;
    return true;
}

bool SearchTask::retrieveSru() {
    const int64_t reported = sruSession_->hits();
    const int32_t size = static_cast<int32_t>(std::clamp<int64_t>(reported, 0, 0x7fffffff));
    int32_t first = batchFirst_;
    if (!batch_) {
        writeStatus([size](TargetSearch& s) { s.hitCount = size; });
        first = target_.search.positionsTaken();
    }
    if (reported < 0) {
        recordError("The server reported no valid number of records (" + std::to_string(reported) +
                    ")\n");
        return false;
    }
    // A batch query's limit counts from its first record, also when resumed.
    const int64_t from = batch_ ? 0 : first;
    const int32_t end =
        static_cast<int32_t>(std::min<int64_t>(size, from + settings_->MaxRecPerTarget));
    // Each page is stored before the next is asked for: a Stop or a failure
    // later keeps it.
    for (int32_t p = first; p < end; ++p) {
        if (!sruSession_->failed()) sruSession_->fetchPage(p, end);
        if (sruSession_->stopped()) return false;
        const SruResponseRecord* slot = sruSession_->record(p);
        if (!slot) {
            // What came is kept; the rest is not asked for again.
            const std::string why =
                sruSession_->error().empty() ? kUnableToRetrieve : sruSession_->error();
            writeStatus([&why](TargetSearch& s) {
                s.errorFlag = true;
                s.abortedFlag = true;
                s.setLastError(why + "\n");
            });
            post(SS_ERROR);
            return false;
        }
        if (slot->surrogate) {
            writeStatus([](TargetSearch& s) { ++s.skippedCount; });
            noteBatchPosition(p);
            continue;
        }
        int32_t stored = 0;
        for (Record& record : buildSruRecords(*slot, *config_, *settings_)) {
            if (!storeRecord(std::move(record))) return false;
            ++stored;
        }
        // A resumed search goes on from the server's next position.
        if (stored != 1) writeStatus([stored](TargetSearch& s) { s.extraCount += stored - 1; });
        noteBatchPosition(p);
        if (stopped()) return false;
    }
    if (!sruSession_->failed()) return true;
    recordError(sruSession_->error() + "\n");
    return false;
}
