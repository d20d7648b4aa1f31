#include "search/SearchEvent.h"

#include <chrono>

void SearchEventQueue::postSearchEvent(int32_t code, int32_t targetId) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(SearchEventHint{code, targetId});
    }
    posted_.notify_one();
}

bool SearchEventQueue::waitNext(SearchEventHint& event, int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!posted_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [this] { return !events_.empty(); }))
        return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

bool SearchEventQueue::tryNext(SearchEventHint& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}
