// Search status of one target. A task writes it on its worker thread while the
// UI thread reads it: the numbers and flags are atomics, and lastError is a
// string behind its own lock so it is never read half-written. Writers that
// must not interleave with a Stop or a new search hold writeGuard().
// Lives at the bottom of the house so the target model and the engine both
// include it downward.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

enum TargetState : int32_t { Pending = 0, Running = 1, Finished = 2 };

class TargetSearch {
public:
    std::atomic<int32_t> state{Finished};
    std::atomic<bool> errorFlag{false};
    std::atomic<bool> abortedFlag{false};
    std::atomic<int32_t> hitCount{0};
    std::atomic<int32_t> retrievedCount{0};
    // Records the server sent a diagnostic for instead (SRU); not listed.
    std::atomic<int32_t> skippedCount{0};
    // Records listed beyond one per server position (SRU: a MARCXML
    // collection in one record slot); negative when a slot gave none.
    std::atomic<int32_t> extraCount{0};

    TargetSearch() = default;
    TargetSearch(const TargetSearch& other) { *this = other; }
    TargetSearch& operator=(const TargetSearch& other) {
        if (this == &other) return *this;
        state = other.state.load();
        errorFlag = other.errorFlag.load();
        abortedFlag = other.abortedFlag.load();
        hitCount = other.hitCount.load();
        retrievedCount = other.retrievedCount.load();
        skippedCount = other.skippedCount.load();
        extraCount = other.extraCount.load();
        setLastError(other.lastError());
        setNote(other.note());
        return *this;
    }

    // The server's positions taken so far: where a resumed search goes on.
    int32_t positionsTaken() const { return retrievedCount + skippedCount - extraCount; }
    // Records the server has that were neither listed nor skipped yet.
    bool moreToFetch() const { return positionsTaken() < hitCount; }

    std::string lastError() const {
        std::lock_guard<std::mutex> lock(errorMutex_);
        return lastError_;
    }
    void setLastError(std::string text) {
        std::lock_guard<std::mutex> lock(errorMutex_);
        lastError_ = std::move(text);
    }

    // What the search did differently from what was asked (an index
    // replaced), for the user; lines ending with a line feed.
    std::string note() const {
        std::lock_guard<std::mutex> lock(errorMutex_);
        return note_;
    }
    void setNote(std::string text) {
        std::lock_guard<std::mutex> lock(errorMutex_);
        note_ = std::move(text);
    }

    // Any thread. Held by a task across its stale check and its write, and by
    // the UI thread while it resets the status, so a task of an older search
    // never writes into a newer one. Never taken while holding the store's lock.
    std::mutex& writeGuard() const { return writeMutex_; }

private:
    mutable std::mutex writeMutex_;
    mutable std::mutex errorMutex_;
    std::string lastError_;
    std::string note_;
};
