// The database export of one or more records on a thread of its own: connect,
// run the template once per record in one transaction, commit, or roll back
// on a failure or a cancel. The window watches and may cancel; nothing here
// blocks it.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "records/Record.h"
#include "export/InsertTemplate.h"

class DatabaseExportJob {
public:
    // Copies records [from, from + count) out of wherever they are kept; it
    // runs on the job's thread, so it must take any lock it needs itself.
    using RecordSlice = std::function<std::vector<Record>(size_t from, size_t count)>;

    struct Result {
        enum Outcome { Done, Cancelled, Failed } outcome = Done;
        // The record that failed (from 0), when the failure was a record's.
        bool recordFailed = false;
        size_t failedIndex = 0;
        std::string failedTitle;
        // The database's (or the layer's) own words.
        std::string detail;
        // Done although cancelled: the cancel came too late to stop the commit.
        bool cancelledTooLate = false;
    };

    // Starts at once. The slice function is called with slices of at most
    // kSlice records.
    DatabaseExportJob(std::string connectionString, ParsedTemplate parsed, size_t count,
                      RecordSlice slice);
    // Waits for the thread.
    ~DatabaseExportJob();
    DatabaseExportJob(const DatabaseExportJob&) = delete;
    DatabaseExportJob& operator=(const DatabaseExportJob&) = delete;

    static constexpr size_t kSlice = 64;

    // Any thread. Stops the running statement where the database allows it;
    // nothing is committed after this, unless the commit was already under way
    // (the result then says so).
    void cancel();
    bool finished() const { return finished_; }
    // Records written so far (not yet committed).
    size_t done() const { return done_; }
    size_t count() const { return count_; }
    // Waits for the end; the result is then final.
    const Result& wait();

private:
    void run();
    void write();

    const std::string connectionString_;
    const ParsedTemplate parsed_;
    const size_t count_;
    const RecordSlice slice_;
    std::atomic<size_t> done_{0};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::mutex cancelLock_;
    std::function<void()> cancelStatement_;
    Result result_;
    std::thread thread_;
};
