// Search events: how a task tells the UI thread what happened to a target.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

enum SearchEventCode : int32_t {
    SS_CONNECTING = 110,
    SS_SEARCHING = 111,
    SS_RETRIEVING = 112,
    SS_FINISHED = 113,
    SS_ERROR = 114,
};

// View update codes broadcast by the document.
enum ViewHint : int32_t {
    HINT_SEARCH_STARTED = 101,
    HINT_SEARCH_QUEUED = 102,
    HINT_TARGET_SELECTED = 120,
    HINT_RECORD_SELECTED = 121,
};

struct SearchEventHint {
    int32_t code = 0;
    int32_t targetId = 0;
};

// Receives events from worker threads; implementations hand them to the one
// thread that handles them, in posting order.
class SearchEventSink {
public:
    virtual ~SearchEventSink() = default;
    // Any thread; must not block for long and must not call back into the task.
    virtual void postSearchEvent(int32_t code, int32_t targetId) = 0;
};

// A sink for programs without a window: the main thread drains it.
class SearchEventQueue : public SearchEventSink {
public:
    void postSearchEvent(int32_t code, int32_t targetId) override;
    // Takes the oldest event, waiting up to timeoutMs; false when none came.
    bool waitNext(SearchEventHint& event, int timeoutMs);
    // Takes the oldest event without waiting.
    bool tryNext(SearchEventHint& event);

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<SearchEventHint> events_;
};
