#include "search/SearchJob.h"

#include <mutex>

#include "search/BatchOutcomes.h"
#include "records/ResultStore.h"
#include "search/SearchQuery.h"
#include "search/SearchTask.h"
#include "search/SearchTexts.h"
#include "search/WorkerPool.h"
#include "targets/TargetList.h"

SearchJob::SearchJob(TargetList& targets, SearchQuery& query, ResultStore& store,
                     const SettingsData& settings, WorkerPool& pool, DocumentSelection& selection)
    : targets_(targets),
      query_(query),
      store_(store),
      settings_(settings),
      pool_(pool),
      selection_(selection) {}

void SearchJob::broadcast(int32_t hint) {
    if (broadcast_) broadcast_(hint, nullptr);
}

std::shared_ptr<const SettingsData> SearchJob::settingsForTasks() const {
    // Tasks read a copy, so an Options sheet confirmed while they run is
    // never seen half-made; one copy serves every task queued together.
    return std::make_shared<const SettingsData>(settings_);
}

void SearchJob::queueTask(Target& target, const std::shared_ptr<const SettingsData>& settings) {
    auto* task =
        new SearchTask(sink_, target, store_, query_, settings, generation_, generation_->load());
    if (batchOutcomes_) {
        batchOutcomes_->addTarget(target.id, target.name);
        task->noteBatchOutcomesIn(batchOutcomes_);
    }
    pool_.addJob(task);
}

void SearchJob::requeue(Target& target, const std::shared_ptr<const SettingsData>& settings) {
    // The counts stay: the new task goes on from the records already stored.
    TargetSearch& s = target.search;
    {
        std::lock_guard<std::mutex> guard(s.writeGuard());
        s.abortedFlag = false;
        s.errorFlag = false;
        s.state = Pending;
        s.setLastError(std::string());
        s.setNote(std::string());
    }
    queueTask(target, settings);
}

void SearchJob::startSearch() {
    resumeMode = false;
    broadcast(HINT_SEARCH_STARTED);
    // Tasks still queued or running from an earlier, stopped search must not
    // run for this one: the generation moves on before any reset below, and
    // tasks write only under the guards the resets take.
    invalidateTasks();
    store_.clear();
    selection_.selectedRecordNumber = -1;
    selection_.selectedTargetId = -1;
    totalHits = 0;
    totalRetrieved = 0;
    batchOutcomes_.reset();
    if (query_.batch) {
        // A batch set without its numbers is reported by its queries.
        const bool named = query_.batchNumbers.size() == query_.batchList.size();
        batchOutcomes_ = std::make_shared<BatchOutcomes>(
            named ? query_.batchNumbers : query_.batchList, query_.batchRefused);
    }
    const auto settings = settingsForTasks();
    for (Target& target : targets_.targets) {
        TargetSearch& s = target.search;
        std::unique_lock<std::mutex> guard(s.writeGuard());
        s.abortedFlag = false;
        s.errorFlag = false;
        s.retrievedCount = 0;
        s.skippedCount = 0;
        s.extraCount = 0;
        s.hitCount = 0;
        s.setLastError(std::string());
        s.setNote(std::string());
        if (target.active) {
            s.state = Pending;
            guard.unlock();
            queueTask(target, settings);
        } else {
            s.state = Finished;
        }
    }
    broadcast(HINT_SEARCH_QUEUED);
}

void SearchJob::stopSearch() {
    // Search is available again at once; whatever is still queued or running
    // from now on belongs to a finished search, and no longer writes.
    invalidateTasks();
    for (Target& target : targets_.targets) {
        std::lock_guard<std::mutex> guard(target.search.writeGuard());
        if (target.search.state != Finished) {
            target.search.abortedFlag = true;
            target.search.state = Finished;
        }
    }
}

void SearchJob::resumeAll() {
    resumeMode = true;
    const auto settings = settingsForTasks();
    for (Target& target : targets_.targets) {
        TargetSearch& s = target.search;
        const bool unfinished = s.state == Finished && !s.errorFlag && s.moreToFetch();
        if (target.active && (unfinished || s.abortedFlag)) requeue(target, settings);
    }
    broadcast(HINT_SEARCH_QUEUED);
}

void SearchJob::resumeTarget(int32_t id) {
    resumeMode = true;
    for (Target& target : targets_.targets) {
        TargetSearch& s = target.search;
        if (target.id == id && target.active && s.state == Finished && !s.errorFlag &&
            s.moreToFetch()) {
            requeue(target, settingsForTasks());
            broadcast(HINT_SEARCH_QUEUED);
            return;
        }
    }
}

void SearchJob::retryTarget(int32_t id) {
    selection_.selectedRecordNumber = -1;
    selection_.selectedTargetId = id;
    for (Target& target : targets_.targets) {
        if (target.id == id) {
            {
                std::lock_guard<std::mutex> guard(target.search.writeGuard());
                target.search.state = Pending;
                target.search.errorFlag = false;
                target.search.setLastError(std::string());
                target.search.setNote(std::string());
            }
            queueTask(target, settingsForTasks());
            return;
        }
    }
}

void SearchJob::enforceSearchLimit() {
    if (!resumeMode && totalRetrieved > settings_.MaxRecPerSearch) stopSearch();
}

std::string SearchJob::updateTotals() {
    totalHits = 0;
    totalRetrieved = 0;
    finishedCount = 0;
    int32_t activeCount = 0;
    for (const Target& target : targets_.targets) {
        if (!target.active) continue;
        totalHits += target.search.hitCount;
        totalRetrieved += target.search.retrievedCount;
        if (target.search.state == Finished) ++finishedCount;
        ++activeCount;
    }
    targets_.activeCount = activeCount;
    return progressText(finishedCount, activeCount, totalRetrieved, totalHits);
}

bool SearchJob::searchMayStart() const {
    for (const Target& target : targets_.targets)
        if (target.search.state != Finished) return false;
    return true;
}

bool SearchJob::stopAvailable() const { return !searchMayStart(); }

bool SearchJob::resumeAvailable() const {
    if (store_.count() == 0 || totalRetrieved >= totalHits || !searchMayStart()) return false;
    for (const Target& target : targets_.targets)
        if (target.active && target.search.moreToFetch()) return true;
    return false;
}
