// The search as a whole: start, stop, resume, retry, the per-search limit and
// the totals. Every operation runs on the UI thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsData.h"
#include "search/SearchEvent.h"

class BatchOutcomes;
class ResultStore;
class SearchQuery;
class TargetList;
class WorkerPool;
struct Target;

// The document's selection, which some operations reset.
struct DocumentSelection {
    int32_t selectedTargetId = -1;
    // The record shown: the record list's current row.
    int32_t selectedRecordNumber = -1;
    // What the record list shows, in its order, and its selected rows (the
    // rows the export commands act on); the list keeps both up to date.
    std::vector<int32_t> listedRecordNumbers;
    std::vector<int32_t> selectedRecordNumbers;
};

class SearchJob {
public:
    // Broadcast of a view update (hint code; the event, for search events).
    using ViewBroadcast = std::function<void(int32_t hint, const SearchEventHint* event)>;

    SearchJob(TargetList& targets, SearchQuery& query, ResultStore& store,
              const SettingsData& settings, WorkerPool& pool, DocumentSelection& selection);

    // Where tasks post their events, and how views are told; set before use.
    void setEventSink(SearchEventSink* sink) { sink_ = sink; }
    void setViewBroadcast(ViewBroadcast broadcast) { broadcast_ = std::move(broadcast); }

    int32_t totalHits = 0;
    int32_t totalRetrieved = 0;
    int32_t finishedCount = 0;
    bool resumeMode = false;

    void startSearch();
    void stopSearch();
    void resumeAll();
    void resumeTarget(int32_t id);
    void retryTarget(int32_t id);
    // Stops the search once more records than "MaxRecPerSearch" were returned.
    void enforceSearchLimit();
    // Recounts the totals and the target list's activeCount; returns the
    // progress text for the status bar.
    std::string updateTotals();

    bool searchMayStart() const;  // Search and Options
    bool stopAvailable() const;
    bool resumeAvailable() const;

    // How the queries of the last batch search went; null when the last
    // search was no batch.
    std::shared_ptr<const BatchOutcomes> batchOutcomes() const { return batchOutcomes_; }

    // Makes every task queued or running so far stale, so none of them can
    // touch the targets again (the target list is about to change).
    void invalidateTasks() { ++*generation_; }

    // Tells the views of a search event (hint number = event code).
    void broadcastSearchEvent(const SearchEventHint& event) {
        if (broadcast_) broadcast_(event.code, &event);
    }

private:
    std::shared_ptr<const SettingsData> settingsForTasks() const;
    void queueTask(Target& target, const std::shared_ptr<const SettingsData>& settings);
    void requeue(Target& target, const std::shared_ptr<const SettingsData>& settings);
    void broadcast(int32_t hint);

    TargetList& targets_;
    SearchQuery& query_;
    ResultStore& store_;
    const SettingsData& settings_;
    WorkerPool& pool_;
    DocumentSelection& selection_;
    SearchEventSink* sink_ = nullptr;
    ViewBroadcast broadcast_;
    std::shared_ptr<BatchOutcomes> batchOutcomes_;
    std::shared_ptr<std::atomic<uint64_t>> generation_ = std::make_shared<std::atomic<uint64_t>>(1);
};
