// The quality marks of the store's records, each read once: what the record
// list's Marks column shows, refill after refill. Any thread; calls are
// serialised, so a list built in the background and one built on the UI
// thread can share it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "copies/QualityMarks.h"

class ResultStore;

class MarksCache {
public:
    // Any thread, without waiting: what was read belongs to the last search;
    // the next catchUp starts over.
    void restart() { wanted_.fetch_add(1); }
    // Reads the marks of the records not seen yet, a slice of the store at a
    // time (the lock held only while reading a slice).
    void catchUp(const ResultStore& store);
    // The marks of a record seen; a non-MARC record's for any other number.
    QualityMarks marks(int32_t number) const;

private:
    mutable std::mutex lock_;
    std::atomic<uint64_t> wanted_{0};
    uint64_t read_ = 0;                // the search marks_ belongs to
    std::vector<QualityMarks> marks_;  // by number - 1
};
