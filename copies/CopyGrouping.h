// Copies of one book from several targets, gathered into groups as records
// arrive: records sharing a standard number are one group (transitively);
// a record without any joins by title, author, date and edition, but two
// records with standard numbers are never joined by that key alone. No join
// puts together records of other titles by other authors, or of other
// volumes, whoever links them: a shared number is then a cataloguing slip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "copies/QualityMarks.h"

class ResultStore;
struct Record;
struct RawRecordView;

struct CopyGroup {
    // The suggested best copy first, then the others by number.
    std::vector<int32_t> members;
    // Why the records are one group: "isbn:…", "oclc:…", "lccn:…", "issn:…",
    // "work:…", "joined" (by the user), "-" for a record alone.
    std::string reasonKey;
    int targets = 0;  // distinct targets among the members
    // Joins by a shared number the group refused (a record may count more
    // than once).
    int keptApart = 0;

    int32_t best() const { return members.empty() ? -1 : members.front(); }
};

// Used by one thread at a time (the owner's); the store's lock is taken
// only while reading records out of it.
class CopyGrouping {
public:
    // Reads the store's records not seen yet; starts over when the store
    // holds fewer than were seen (it was cleared).
    void catchUp(const ResultStore& store);
    // Adds one record; numbers count from 1 in arrival order.
    void add(const Record& record);
    // Forgets every record and every change the user made.
    void clear();

    size_t recordCount() const { return parent_.size(); }
    // The groups, ordered by their first-arrived record.
    std::vector<CopyGroup> groups() const;
    // Marks of a record seen; a non-MARC record's for any other number.
    const QualityMarks& marks(int32_t number) const;
    int32_t targetOf(int32_t number) const;
    // Every record of the groups these records are in, group by group in the
    // order of numbers, the best copy first, each once.
    std::vector<int32_t> allCopies(const std::vector<int32_t>& numbers) const;

    // The user's changes, held until clear(): the record stands alone; the
    // groups of these records become one.
    void takeOut(int32_t number);
    void join(const std::vector<int32_t>& numbers);

private:
    struct Change {
        bool join = false;
        std::vector<int32_t> numbers;
    };

    // Hashes of what tells records apart; 0 for unknown.
    struct Work {
        uint64_t title = 0, author = 0, volume = 0;
        bool operator==(const Work& o) const {
            return title == o.title && author == o.author && volume == o.volume;
        }
    };

    struct KeyBatch;
    // Reads the record's marks and keys; settle looks the keys up.
    void read(const RawRecordView& record, KeyBatch& batch);
    void settle(const KeyBatch& batch);
    int32_t find(int32_t index) const;
    // The first index that had the key with this hash; index when none did.
    int32_t firstWithKey(uint64_t hash, int32_t index);
    // Joins the groups of a and b unless their works conflict; true when
    // they are one group after it.
    bool unite(int32_t a, int32_t b, std::string_view key);
    bool conflicting(int32_t rootA, int32_t rootB) const;
    // Joins index to an owner of the key, trying the owners of its variants
    // after one that conflicts, or becomes the owner of a free one.
    // refusedBy: the last group that refused it.
    void joinByNumber(uint64_t hash, int32_t index, std::string_view key, int32_t& refusedBy);
    std::string_view reasonOf(int32_t root) const;

    // Per record, indexed by number - 1.
    mutable std::vector<int32_t> parent_;
    // Of a root: the number of its reason, -1 for none. The reasons are kept
    // one after the other, a string each would cost an allocation per group.
    std::vector<int32_t> reason_;
    std::string reasonText_;
    std::vector<size_t> reasonEnds_;
    std::vector<char> hasIds_;  // of a root
    std::vector<int32_t> target_;
    std::vector<QualityMarks> marks_;
    // The group's distinct works as a list through its records: from the
    // root along next; last, count and keptApart are of a root.
    struct WorkLink {
        Work work;
        int32_t next = -1, last = 0, keptApart = 0;
        uint8_t count = 1;
    };
    std::vector<WorkLink> works_;
    // Open addressing over key hashes (0 marks a free slot): the standard
    // map's buckets cost more than reading the records.
    std::vector<std::pair<uint64_t, int32_t>> owners_;
    size_t ownerCount_ = 0;
    std::vector<Change> changes_;
};
