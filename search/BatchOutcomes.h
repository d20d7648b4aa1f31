// How each query of a batch search went on each target, for the report of
// what was found where. Made on the UI thread when the search starts; the
// tasks note into it on their workers; the UI thread reads snapshots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

enum class BatchQueryOutcome : uint8_t { NotReached, Searched, Failed };

// A line of a batch's numbers file that was not searched, and why; before: the
// number of searched numbers that came ahead of it in the file.
struct BatchRefusal {
    size_t before = 0;
    std::string given;
    std::string reason;
};

class BatchOutcomes {
public:
    struct TargetOutcomes {
        int32_t id = 0;
        std::string name;
        std::vector<BatchQueryOutcome> queries;
    };

    // numbers: what each query searches, as the user's list shows it.
    explicit BatchOutcomes(std::vector<std::string> numbers,
                           std::vector<BatchRefusal> refusals = {});

    const std::vector<std::string>& numbers() const { return numbers_; }
    const std::vector<BatchRefusal>& refusals() const { return refusals_; }

    // UI thread, before the target's task is queued.
    void addTarget(int32_t id, const std::string& name);
    // Any thread. A later note for the same query replaces an earlier one (a
    // retried target).
    void note(int32_t targetId, size_t query, BatchQueryOutcome outcome);
    // Any thread. Position p of the query's results is stored.
    void stored(int32_t targetId, size_t query, int32_t position);
    // Any thread. Where a new task of the target goes on with the query; -1
    // when all its records are stored, so asking again would only repeat them.
    int32_t resumePoint(int32_t targetId, size_t query) const;
    // Any thread.
    std::vector<TargetOutcomes> snapshot() const;

private:
    const std::vector<std::string> numbers_;
    const std::vector<BatchRefusal> refusals_;
    mutable std::mutex lock_;
    std::vector<TargetOutcomes> targets_;
    // Per target and query, as targets_: the position the query's records go
    // on from when the target is resumed or retried.
    std::vector<std::vector<int32_t>> next_;

    // The target's index in targets_, or -1.
    int index(int32_t targetId, size_t query) const;
};
