#include "search/BatchOutcomes.h"

#include <algorithm>

BatchOutcomes::BatchOutcomes(std::vector<std::string> numbers, std::vector<BatchRefusal> refusals)
    : numbers_(std::move(numbers)), refusals_(std::move(refusals)) {}

void BatchOutcomes::addTarget(int32_t id, const std::string& name) {
    std::lock_guard<std::mutex> guard(lock_);
    for (const TargetOutcomes& t : targets_)
        if (t.id == id) return;
    targets_.push_back({id, name, std::vector<BatchQueryOutcome>(numbers_.size())});
    next_.emplace_back(numbers_.size());
}

int BatchOutcomes::index(int32_t targetId, size_t query) const {
    for (size_t i = 0; i < targets_.size(); ++i)
        if (targets_[i].id == targetId && query < numbers_.size()) return static_cast<int>(i);
    return -1;
}

void BatchOutcomes::note(int32_t targetId, size_t query, BatchQueryOutcome outcome) {
    std::lock_guard<std::mutex> guard(lock_);
    const int i = index(targetId, query);
    if (i >= 0) targets_[i].queries[query] = outcome;
}

void BatchOutcomes::stored(int32_t targetId, size_t query, int32_t position) {
    std::lock_guard<std::mutex> guard(lock_);
    const int i = index(targetId, query);
    if (i >= 0) next_[i][query] = std::max(next_[i][query], position + 1);
}

int32_t BatchOutcomes::resumePoint(int32_t targetId, size_t query) const {
    std::lock_guard<std::mutex> guard(lock_);
    const int i = index(targetId, query);
    if (i < 0) return 0;
    return targets_[i].queries[query] == BatchQueryOutcome::Searched ? -1 : next_[i][query];
}

std::vector<BatchOutcomes::TargetOutcomes> BatchOutcomes::snapshot() const {
    std::lock_guard<std::mutex> guard(lock_);
    return targets_;
}
