// All records of the current search, numbered 1, 2, 3... in order of arrival
// from all targets. Workers append; the UI thread reads under the same lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "records/PackedRecord.h"
#include "records/Record.h"

class ResultStore {
public:
    // Any thread. Numbers the record (count + 1) and appends a copy.
    void add(Record record);
    // Any thread. As add, but only when current() answers true; it is asked
    // under the lock, so no clear() comes between the answer and the append.
    // True when the record was added.
    bool addIf(Record record, const std::function<bool()>& current);
    // Any thread. Removes every record.
    void clear();
    // Any thread. Puts a corrected record in place of the one with this
    // number, which keeps its number, target and batch query; the record as
    // received is kept for revertRecord (only the first time: a second
    // correction does not lose it). False when there is no such record.
    bool replaceRecord(int32_t number, Record corrected);
    // Any thread. Puts the received record back; false when it was not edited.
    bool revertRecord(int32_t number);
    // Any thread. True while the record with this number is a corrected one.
    bool isEdited(int32_t number) const;

    // Any thread, without the lock: a snapshot that may be stale at once.
    size_t count() const { return count_.load(); }
    // Any thread. Copies the record with this number, with all its forms;
    // false when there is none.
    bool copyRecord(int32_t number, Record& out) const;
    // Any thread. Copies the records with these numbers, in that order, under
    // one hold of the lock, completing their forms after it; a number that is
    // not in the store gives an empty record.
    std::vector<Record> copyCompleteRecords(const int32_t* numbers, size_t count) const;
    // Any thread. Copies every record in store order as stored: a MARC
    // record's deferred forms stay deferred (see completeRecordForms), so
    // listing many records costs no conversions.
    std::vector<Record> copyAll() const;
    // Any thread. Copies the records with these numbers, in this order, as
    // stored (forms still deferred), under one hold of the lock; numbers no
    // longer in the store are left out. Long exports copy a slice at a time.
    std::vector<Record> copyRecords(const int32_t* numbers, size_t count) const;
    // Any thread. As copyRecords, but hands each record to visit in place,
    // under the lock: visit must only copy what it needs (no I/O, no waiting).
    void visitRecords(const int32_t* numbers, size_t count,
                      const std::function<void(const Record&)>& visit) const;
    // Any thread. As visitRecords, but copies nothing: visit gets a view of
    // each record's bytes in the store.
    void visitRawRecords(const int32_t* numbers, size_t count,
                         const std::function<void(const RawRecordView&)>& visit) const;

    // Any thread. Hands every record's brief fields to visit in store order,
    // under the lock: visit must only copy what it needs.
    void visitBriefFields(const std::function<void(const BriefFields&)>& visit) const;

    // Readers that must keep the store still across calls hold this lock
    // (re-entrant) meanwhile.
    std::recursive_mutex& lock() const { return lock_; }

private:
    bool findRecord(int32_t number, Record& out) const;
    // Only while holding the lock; null when there is none.
    const PackedRecord* recordAt(int32_t number) const;

    mutable std::recursive_mutex lock_;
    // A deque grows without copying what it holds, so a long search never
    // needs its records twice over.
    std::deque<PackedRecord> records_;
    InternTable names_;
    // Received records of those corrected, by number.
    std::map<int32_t, PackedRecord> received_;
    std::atomic<size_t> count_{0};
};
