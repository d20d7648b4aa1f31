#include "copies/MarksCache.h"

#include <algorithm>
#include <numeric>

#include "records/ResultStore.h"

namespace {
constexpr int32_t kSlice = 2000;
}  // namespace

void MarksCache::catchUp(const ResultStore& store) {
    std::lock_guard<std::mutex> guard(lock_);
    const uint64_t wanted = wanted_.load();
    const size_t count = store.count();
    if (read_ != wanted || count < marks_.size()) {
        marks_.clear();
        read_ = wanted;
    }
    while (marks_.size() < count) {
        const int32_t first = static_cast<int32_t>(marks_.size()) + 1;
        const int32_t last = std::min<int32_t>(static_cast<int32_t>(count), first + kSlice - 1);
        std::vector<int32_t> numbers(static_cast<size_t>(last - first + 1));
        std::iota(numbers.begin(), numbers.end(), first);
        const size_t before = marks_.size();
        store.visitRecords(numbers.data(), numbers.size(), [this](const Record& r) {
            // A gap left by the store gets marks of nothing.
            if (r.number <= 0) return;
            marks_.resize(std::max(marks_.size(), static_cast<size_t>(r.number)));
            if (r.kind == Marc) marks_[r.number - 1] = qualityMarks(r.rawData);
        });
        if (marks_.size() == before) break;  // the store lost them meanwhile
    }
}

QualityMarks MarksCache::marks(int32_t number) const {
    std::lock_guard<std::mutex> guard(lock_);
    if (number <= 0 || static_cast<size_t>(number) > marks_.size()) return {};
    return marks_[number - 1];
}
