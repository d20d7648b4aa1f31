#include "search/SearchTask.h"

#include <algorithm>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <mutex>
#include <string>

#include "protocol/IndexFallbacks.h"
#include "protocol/TargetConnection.h"
#include "records/ResultStore.h"
#include "search/BatchOutcomes.h"
#include "search/SearchEvent.h"
#include "search/SearchQuery.h"
#include "search/TargetConnections.h"
#include "targets/Target.h"

namespace {

// The memory of a long result set was freed on this worker's heap: its pages
// go back, so a long session keeps only what the store holds. Under a
// sanitizer the heap is the sanitizer's, and glibc's trim walks an arena that
// was never set up.
void returnFreedMemory() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    malloc_trim(0);
#endif
}
}  // namespace

const char* const kUnableToRetrieve = "QRN: Unable to retrieve record";

SearchTask::SearchTask(SearchEventSink* sink, Target& target, ResultStore& store,
                       const SearchQuery& query, std::shared_ptr<const SettingsData> settings,
                       std::shared_ptr<const std::atomic<uint64_t>> currentGeneration,
                       uint64_t generation)
    : sink_(sink),
      target_(target),
      config_(std::make_unique<const Target>(target)),
      targetId_(target.id),
      store_(store),
      batch_(query.batch),
      pqf_(query.pqf()),
      batchList_(query.batch ? query.batchList : std::vector<std::string>()),
      settings_(std::move(settings)),
      currentGeneration_(std::move(currentGeneration)),
      generation_(generation) {
    priority = 5;
}

SearchTask::~SearchTask() {
    if (connection_) {
        connection_.reset();
        writeStatus([](TargetSearch& s) { s.state = Finished; });
    }
}

void SearchTask::requestStop() { stopRequested_ = true; }

void SearchTask::post(int32_t code) {
    if (sink_) sink_->postSearchEvent(code, targetId_);
}

bool SearchTask::stale() const { return currentGeneration_->load() != generation_; }

bool SearchTask::stopped() const { return stopRequested_ || stale() || target_.search.abortedFlag; }

template <typename Write>
bool SearchTask::writeStatus(Write write) {
    // Checked first without the guard: a stale task's target may be gone.
    if (stale()) return false;
    std::lock_guard<std::mutex> guard(target_.search.writeGuard());
    if (stale()) return false;
    write(target_.search);
    return true;
}

bool SearchTask::storeRecord(Record record) {
    record.batchQuery = batchQuery_;
    bool stored = false;
    writeStatus([&](TargetSearch& s) {
        // The store asks again under its own lock: a new search clears it
        // before it takes this target's guard.
        stored = store_.addIf(std::move(record), [this] { return !stale(); });
        if (!stored) return;
        ++s.retrievedCount;
        if (batch_) s.hitCount = s.retrievedCount.load();
    });
    return stored;
}

void SearchTask::run() {
    post(SS_CONNECTING);
    // A task left in the queue by a stopped search must not touch the target:
    // it may belong to a newer search by now.
    if (stale()) {
        post(SS_FINISHED);
        return;
    }
    if (connect() && !stopped()) {
        post(SS_SEARCHING);
        if (!batch_) {
            if (search()) {
                post(SS_RETRIEVING);
                retrieve();
            }
        } else {
            for (size_t i = 0; i < batchList_.size(); ++i) {
                if (stopped()) break;
                // A resumed or retried target asks only for what it lacks.
                batchFirst_ = batchOutcomes_ ? batchOutcomes_->resumePoint(targetId_, i) : 0;
                if (batchFirst_ < 0) continue;
                batchQuery_ = static_cast<int32_t>(i);
                post(SS_SEARCHING);
                bool searched = searchPqf(batchList_[i]);
                if (searched) {
                    post(SS_RETRIEVING);
                    searched = retrieve();
                }
                noteBatchOutcome(i, searched);
            }
        }
    }
    connection_.reset();
    returnFreedMemory();
    writeStatus([](TargetSearch& s) { s.state = Finished; });
    post(SS_FINISHED);
}

bool SearchTask::connect() {
    writeStatus([](TargetSearch& s) { s.state = Running; });
    connection_ = connectionFor(*config_, *settings_, [this] { return stopped(); });
    if (connection_->connect()) return true;
    recordFailure();
    return false;
}

bool SearchTask::search() { return sendAndWait(pqf_); }

bool SearchTask::searchPqf(const std::string& pqf) { return sendAndWait(pqf); }

bool SearchTask::sendAndWait(const std::string& pqf) {
    const FallbackRewrite planned = rewriteKnownUnsupported(pqf, config_->profile);
    std::string note = planned.note;
    bool sent = sendOnce(planned.pqf);
    if (!sent && !stopped() && connection_->failure().indexRejected) {
        // Sent again once: a replacement the target rejects too ends in its error.
        const FallbackRewrite retry =
            rewriteRejected(planned.pqf, connection_->failure().indexInfo, config_->profile,
                            planned.replacements);
        if (!retry.note.empty()) {
            note += retry.note;
            sent = sendOnce(retry.pqf);
        }
    }
    // A batch replaces the same index in every query: said once.
    if (!note.empty())
        writeStatus([&note](TargetSearch& s) {
            if (s.note().find(note) == std::string::npos) s.setNote(s.note() + note);
        });
    if (!sent) recordFailure();
    return sent;
}

bool SearchTask::sendOnce(const std::string& pqf) {
    // A search stopped meanwhile must not reach the server.
    if (stopped()) return false;
    const TargetSearch& s = target_.search;
    const int32_t first = batch_ ? batchFirst_ : s.positionsTaken();
    return connection_->search(pqf, first);
}

bool SearchTask::recordFailure() {
    if (stopped() || connection_->failure().text.empty()) return false;
    recordError(connection_->failure().text + "\n");
    return true;
}

void SearchTask::recordError(const std::string& text) {
    if (writeStatus([&text](TargetSearch& s) {
            s.setLastError(text);
            s.errorFlag = true;
        }))
        post(SS_ERROR);
}

void SearchTask::recordUnavailable() {
    // What came is kept; the rest is not asked for again.
    const std::string& said = connection_->failure().text;
    const std::string why = said.empty() ? kUnableToRetrieve : said;
    if (writeStatus([&why](TargetSearch& s) {
            s.errorFlag = true;
            s.abortedFlag = true;
            s.setLastError(why + "\n");
        }))
        post(SS_ERROR);
}

bool SearchTask::storeFetched(FetchedRecords&& fetched) {
    if (fetched.skipped) writeStatus([](TargetSearch& s) { ++s.skippedCount; });
    const int32_t count = static_cast<int32_t>(fetched.records.size());
    for (Record& record : fetched.records)
        if (!storeRecord(std::move(record))) return false;
    // A resumed search goes on from the server's next position.
    if (!fetched.skipped && count != 1)
        writeStatus([count](TargetSearch& s) { s.extraCount += count - 1; });
    noteBatchPosition(fetched.position);
    return !stopped();
}

bool SearchTask::retrieve() {
    const int64_t reported = connection_->hits();
    const int32_t size = static_cast<int32_t>(std::clamp<int64_t>(reported, 0, 0x7fffffff));
    int32_t first = batchFirst_;
    if (!batch_) {
        writeStatus([size](TargetSearch& s) { s.hitCount = size; });
        first = target_.search.positionsTaken();
    }
    // A batch query's limit counts from its first record, also when resumed.
    const int64_t from = batch_ ? 0 : first;
    const int32_t end =
        static_cast<int32_t>(std::min<int64_t>(size, from + std::max(0, settings_->MaxRecPerTarget)));
    if (first >= end) return true;
    // Each record is stored as soon as it is in, in order: a failed fetch
    // still leaves every record that arrived before it.
    switch (connection_->fetch(first, end,
                               [this](FetchedRecords&& f) { return storeFetched(std::move(f)); })) {
        case FetchEnd::Done:
            return true;
        case FetchEnd::Stopped:
            return false;
        // Everything came, but the server also reported an error.
        case FetchEnd::Failed:
            recordFailure();
            return false;
        // The target ends aborted where its records stop, so that Resume
        // goes on from there; a reason the server gave is kept.
        case FetchEnd::Unavailable:
            recordUnavailable();
            return false;
    }
    return false;
}

void SearchTask::noteBatchOutcome(size_t query, bool searched) {
    // A query cut short by a stop was not searched: it stays unreached.
    if (!batchOutcomes_ || stopped()) return;
    batchOutcomes_->note(targetId_, query,
                         searched ? BatchQueryOutcome::Searched : BatchQueryOutcome::Failed);
}

void SearchTask::noteBatchPosition(int32_t position) {
    if (batch_ && batchOutcomes_) batchOutcomes_->stored(targetId_, batchQuery_, position);
}
