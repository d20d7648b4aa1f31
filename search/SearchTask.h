// The work for one target of a search: connect, search (or each batch string),
// fetch up to the per-target limit into the store, posting a search event at
// each step. Runs on a pool worker; only that thread touches its connection.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "search/PoolJob.h"
#include "settings/SettingsData.h"

class BatchOutcomes;
class ResultStore;
class SearchEventSink;
class TargetSearch;
struct FetchedRecords;
struct Record;
class SearchQuery;
class TargetConnection;
struct Target;

class SearchTask : public PoolJob {
public:
    // generation is the search generation current when the task was queued;
    // when currentGeneration has moved on, the task is stale and leaves the
    // target alone (its search was stopped, or a new one started).
    SearchTask(SearchEventSink* sink, Target& target, ResultStore& store, const SearchQuery& query,
               std::shared_ptr<const SettingsData> settings,
               std::shared_ptr<const std::atomic<uint64_t>> currentGeneration, uint64_t generation);
    ~SearchTask() override;

    // UI thread, before the task is queued: where a batch search notes how
    // each of its queries went.
    void noteBatchOutcomesIn(std::shared_ptr<BatchOutcomes> outcomes) {
        batchOutcomes_ = std::move(outcomes);
    }

    void run() override;
    // Any thread: makes the task end at its next check.
    void requestStop() override;

    // Steps of run(); public for the tests' sake only in that they are the
    // documented stages of the task.
    bool connect();
    bool search();
    bool searchPqf(const std::string& pqf);
    bool retrieve();

private:
    void post(int32_t code);
    bool stale() const;
    bool stopped() const;
    // Runs write on the target's search status under its guard unless the
    // task is stale; false when it was stale.
    template <typename Write>
    bool writeStatus(Write write);
    bool storeRecord(Record record);
    bool storeFetched(FetchedRecords&& fetched);
    // Keeps text as the target's error and tells the views.
    void recordError(const std::string& text);
    // The connection's failure as the target's error; false when stopped.
    bool recordFailure();
    void recordUnavailable();
    // Sends one query; false when stopped or it failed.
    bool sendOnce(const std::string& pqf);
    bool sendAndWait(const std::string& pqf);
    void noteBatchOutcome(size_t query, bool searched);
    void noteBatchPosition(int32_t position);

    SearchEventSink* sink_;
    Target& target_;
    // The target's settings as they were when the task was queued: the task
    // reads these, and touches the live target only for its search status.
    std::unique_ptr<const Target> config_;
    int32_t targetId_;
    ResultStore& store_;
    // The query as it was when the task was queued: a stale task must not
    // read the query of a newer search while the UI thread writes it.
    const bool batch_;
    const std::string pqf_;
    const std::vector<std::string> batchList_;
    std::shared_ptr<BatchOutcomes> batchOutcomes_;
    // The batch query being searched, which every record stored is marked with.
    int32_t batchQuery_ = -1;
    // Where the current batch query's records go on from.
    int32_t batchFirst_ = 0;
    std::shared_ptr<const SettingsData> settings_;
    std::shared_ptr<const std::atomic<uint64_t>> currentGeneration_;
    uint64_t generation_;
    std::atomic<bool> stopRequested_{false};

    std::unique_ptr<TargetConnection> connection_;
};

// The error of a target whose server did not send a record it counted.
extern const char* const kUnableToRetrieve;
