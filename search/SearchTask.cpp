#include "search/SearchTask.h"

#include <algorithm>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <mutex>
#include <string>

#include "base/Version.h"
#include "search/BatchOutcomes.h"
#include "protocol/IndexFallbacks.h"
#include "marc/MarcCharsetChoice.h"
#include "search/PresentSlices.h"
#include "search/RecordBuilder.h"
#include "records/ResultStore.h"
#include "search/SearchEvent.h"
#include "search/SearchQuery.h"
#include "protocol/sru/SruSession.h"
#include "protocol/z3950/ZoomEventPump.h"
#include "targets/Target.h"
#include "targets/TargetAddress.h"

namespace {
const std::string kImplementationNameText = std::string("Tessaly Z39.50 Client ") + qrnVersion();
const char* const kSrwDiagnostics = "info:srw/diagnostic/1";

// The server rejected a use attribute of the query: Bib-1 114 or SRU's
// "Unsupported index" (16). addinfo gets what it said.
bool rejectedIndex(ZOOM_connection connection, std::string& addinfo) {
    const char* message = nullptr;
    const char* info = nullptr;
    const int code = ZOOM_connection_error(connection, &message, &info);
    const char* set = ZOOM_connection_diagset(connection);
    if (!set) return false;
    addinfo = info ? info : "";
    return (code == 114 && std::string(set) == "Bib-1") ||
           (code == 16 && std::string(set) == kSrwDiagnostics);
}

// The toolkit's copy of a long result set was freed on this worker's heap:
// its pages go back, so a long session keeps only what the store holds.
// Under a sanitizer the heap is the sanitizer's, and glibc's trim walks an
// arena that was never set up.
void returnFreedMemory() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    malloc_trim(0);
#endif
}
}  // namespace

const char* const kImplementationName = kImplementationNameText.c_str();
const char* const kUnableToRetrieve = "QRN: Unable to retrieve record";

SearchTask::SearchTask(SearchEventSink* sink, Target& target, ResultStore& store,
                       const SearchQuery& query, std::shared_ptr<const SettingsData> settings,
                       std::shared_ptr<const std::atomic<uint64_t>> currentGeneration,
                       uint64_t generation)
    : sink_(sink),
      target_(target),
      config_(std::make_unique<const Target>(target)),
      sru_(isSruAddress(target.zurl)),
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
    if (connection_ || resultSet_ || sruSession_) {
        releaseConnection();
        writeStatus([](TargetSearch& s) { s.state = Finished; });
    }
}

void SearchTask::requestStop() { stopRequested_ = true; }

void SearchTask::post(int32_t code) {
    if (sink_) sink_->postSearchEvent(code, targetId_);
}

bool SearchTask::stale() const { return currentGeneration_->load() != generation_; }

bool SearchTask::stopped() const { return stopRequested_ || stale() || target_.search.abortedFlag; }

bool SearchTask::writeStatus(const std::function<void(TargetSearch&)>& write) {
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

void SearchTask::recordUnavailable(int32_t position) {
    writeStatus([position](TargetSearch& s) {
        s.errorFlag = true;
        s.abortedFlag = true;
        s.retrievedCount = position;
        s.setLastError(kUnableToRetrieve);
    });
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
    releaseConnection();
    returnFreedMemory();
    writeStatus([](TargetSearch& s) { s.state = Finished; });
    post(SS_FINISHED);
}

bool SearchTask::connect() {
    writeStatus([](TargetSearch& s) { s.state = Running; });
    if (sru_) {
        // SRU is stateless: nothing to connect before the search.
        sruSession_ = std::make_unique<SruSession>(*config_, [this] { return stopped(); });
        return true;
    }
    connection_ = ZOOM_connection_create(nullptr);
    const SettingsData& settings = *settings_;
    if (!config_->elementsetname.empty() && config_->elementsetname != "None")
        ZOOM_connection_option_set(connection_, "elementSetName", config_->elementsetname.c_str());
    ZOOM_connection_option_set(connection_, "preferredRecordSyntax", config_->recsyntax.c_str());
    // The toolkit converts the query's UTF-8 terms for old servers.
    if (const char* charset = queryTermCharset(config_->queryCharset))
        ZOOM_connection_option_set(connection_, "rpnCharset", charset);
    setPresentSlices(connection_, batch_ || target_.search.retrievedCount == 0,
                     settings.MaxRecPerTarget);
    ZOOM_connection_option_set(connection_, "implementationName", kImplementationName);
    ZOOM_connection_option_set(connection_, "async", "1");
    const TargetProfile& profile = config_->profile;
    if (profile.timeoutSeconds > 0)
        ZOOM_connection_option_set(connection_, "timeout",
                                   std::to_string(profile.timeoutSeconds).c_str());
    if (!profile.proxy.empty())
        ZOOM_connection_option_set(connection_, "proxy", profile.proxy.c_str());
    if (!config_->username.empty()) {
        ZOOM_connection_option_set(connection_, "user", config_->username.c_str());
        ZOOM_connection_option_set(connection_, "pass", config_->password.c_str());
    }
    // A negative count is no request the toolkit understands; it stores nothing.
    ZOOM_connection_option_set(connection_, "count",
                               std::to_string(std::max(0, settings.MaxRecPerTarget)).c_str());
    if (!batch_) {
        const int32_t retrieved = target_.search.retrievedCount;
        ZOOM_connection_option_set(connection_, "start",
                                   std::to_string(retrieved == 0 ? 0 : retrieved - 1).c_str());
    }
    ZOOM_connection_connect(connection_, config_->zurl.c_str(), 0);
    // The toolkit connects lazily in its event loop; run that part here so a
    // refused or failed connection is reported as a connection error.
    if (!pump(false)) return true;  // stopped: the caller sees the flag
    return !checkError();
}

bool SearchTask::search() { return sendAndWait(pqf_); }

bool SearchTask::searchPqf(const std::string& pqf) { return sendAndWait(pqf); }

bool SearchTask::sendAndWait(const std::string& pqf) {
    const FallbackRewrite planned = rewriteKnownUnsupported(pqf, config_->profile);
    std::string note = planned.note;
    if (!sendOnce(planned.pqf)) return false;
    std::string addinfo;
    if (indexRejected(addinfo)) {
        // Sent again once: a replacement the target rejects too ends in its error.
        const FallbackRewrite retry = rewriteRejected(planned.pqf, addinfo, config_->profile, planned.replacements);
        if (!retry.note.empty()) {
            note += retry.note;
            if (!sendOnce(retry.pqf)) return false;
        }
    }
    // A batch replaces the same index in every query: said once.
    if (!note.empty())
        writeStatus([&note](TargetSearch& s) {
            if (s.note().find(note) == std::string::npos) s.setNote(s.note() + note);
        });
    return !checkError();
}

bool SearchTask::indexRejected(std::string& addinfo) const {
    if (!sru_) return rejectedIndex(connection_, addinfo);
    if (!sruFailed_) return false;
    const SruDiagnostic& d = sruSession_->diagnostic();
    const std::string unsupportedIndex = "info:srw/diagnostic/1/16";
    if (d.uri != unsupportedIndex) return false;
    addinfo = d.details;
    return true;
}

bool SearchTask::sendOnce(const std::string& pqf) {
    if (resultSet_) {
        ZOOM_resultset_destroy(resultSet_);
        resultSet_ = nullptr;
    }
    // The toolkit sends at once on an open connection: a search stopped
    // meanwhile must not reach the server.
    if (stopped()) return false;
    if (sru_) return sendSru(pqf);
    // Each task prepares its own query: a shared ZOOM_query's reference
    // count is not safe across threads.
    ZOOM_query query = ZOOM_query_create();
    ZOOM_query_prefix(query, pqf.c_str());
    resultSet_ = ZOOM_connection_search(connection_, query);
    ZOOM_query_destroy(query);
    // The records the search asks for are stored by retrieve as they come.
    return pump(true);
}

bool SearchTask::pump(bool untilSearchAnswered) {
    const auto shouldStop = [this] { return stopped(); };
    const auto deadline = zoomExchangeDeadline(connection_);
    for (;;) {
        switch (pumpZoomEvent(connection_, shouldStop, 50, deadline)) {
            case PumpResult::Stopped:
                return false;
            case PumpResult::Idle:
                return true;
            case PumpResult::Event:
                if (stopped()) return false;
                if (untilSearchAnswered &&
                    ZOOM_connection_last_event(connection_) == ZOOM_EVENT_RECV_SEARCH)
                    return true;
                break;
        }
    }
}

bool SearchTask::checkError() {
    if (sru_) {
        if (!sruFailed_) return false;
        recordError(sruSession_->error() + "\n");
        return true;
    }
    const char* message = nullptr;
    const char* addinfo = nullptr;
    const int code = ZOOM_connection_error(connection_, &message, &addinfo);
    if (code == 0) return false;
    if (code == ZOOM_ERROR_TIMEOUT && config_->profile.timeoutSeconds > 0) {
        recordError("No answer for " + std::to_string(config_->profile.timeoutSeconds) + " s\n");
        return true;
    }
    const char* diagset = ZOOM_connection_diagset(connection_);
    const bool srwDiagnostic = diagset && std::string(diagset) == kSrwDiagnostics;
    recordError(std::string(message ? message : "") + " (" + std::to_string(code) +
                (srwDiagnostic && addinfo && *addinfo ? "): " : ") ") + (addinfo ? addinfo : "") +
                "\n");
    return true;
}

void SearchTask::recordError(const std::string& text) {
    if (writeStatus([&text](TargetSearch& s) {
            s.setLastError(text);
            s.errorFlag = true;
        }))
        post(SS_ERROR);
}

bool SearchTask::awaitRecord(int32_t position, int32_t end, bool& asked, ZOOM_record& record) {
    const auto shouldStop = [this] { return stopped(); };
    const auto deadline = zoomExchangeDeadline(connection_);
    for (;;) {
        record = ZOOM_resultset_record_immediate(resultSet_, static_cast<size_t>(position));
        if (record) return true;
        switch (pumpZoomEvent(connection_, shouldStop, 50, deadline)) {
            case PumpResult::Stopped:
                return false;
            case PumpResult::Event:
                if (stopped()) return false;
                break;
            case PumpResult::Idle:
                if (asked) return true;
                // Asked asynchronously, the task stays stoppable; a record
                // fetched one by one would block in the toolkit's own loop.
                ZOOM_resultset_records(resultSet_, nullptr, static_cast<size_t>(position),
                                       static_cast<size_t>(end - position));
                asked = true;
                break;
        }
    }
}

bool SearchTask::retrieve() {
    if (sru_) return retrieveSru();
    const size_t rawSize = ZOOM_resultset_size(resultSet_);
    const int32_t size = rawSize > 0x7fffffff ? 0x7fffffff : static_cast<int32_t>(rawSize);
    int32_t first = batchFirst_;
    if (!batch_) {
        writeStatus([size](TargetSearch& s) { s.hitCount = size; });
        first = target_.search.retrievedCount;
    }
    const int32_t limit = std::max(0, settings_->MaxRecPerTarget);
    const int32_t from = batch_ ? 0 : first;
    const int32_t end = (static_cast<int64_t>(size) - from > limit) ? from + limit : size;

    // Each record is stored as soon as it is in, in order: a failed fetch
    // still leaves every record that arrived before it.
    bool asked = false;
    for (int32_t p = first; p < end; ++p) {
        ZOOM_record zoomRecord = nullptr;
        if (!awaitRecord(p, end, asked, zoomRecord)) return false;
        if (!zoomRecord) {
            recordUnavailable(p);
            return false;
        }
        if (!storeRecord(buildRecord(zoomRecord, *config_, *settings_))) return false;
        noteBatchPosition(p);
        if (stopped()) return false;
    }
    // An error that came after the last wanted record arrived loses nothing.
    return !checkError();
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

void SearchTask::releaseConnection() {
    sruSession_.reset();
    if (resultSet_) {
        ZOOM_resultset_destroy(resultSet_);
        resultSet_ = nullptr;
    }
    if (connection_) {
        ZOOM_connection_destroy(connection_);
        connection_ = nullptr;
    }
}
