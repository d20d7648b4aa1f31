#include "engine/BatchOutcomes.h"

BatchOutcomes::BatchOutcomes(std::vector<std::string> numbers) : numbers_(std::move(numbers)) {}

void BatchOutcomes::addTarget(int32_t id, const std::string& name) {
    std::lock_guard<std::mutex> guard(lock_);
    for (const TargetOutcomes& t : targets_)
        if (t.id == id) return;
    targets_.push_back({id, name, std::vector<BatchQueryOutcome>(numbers_.size())});
}

void BatchOutcomes::note(int32_t targetId, size_t query, BatchQueryOutcome outcome) {
    std::lock_guard<std::mutex> guard(lock_);
    for (TargetOutcomes& t : targets_)
        if (t.id == targetId && query < t.queries.size()) t.queries[query] = outcome;
}

std::vector<BatchOutcomes::TargetOutcomes> BatchOutcomes::snapshot() const {
    std::lock_guard<std::mutex> guard(lock_);
    return targets_;
}
