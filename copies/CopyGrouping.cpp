#include "copies/CopyGrouping.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <set>

#include "marc/MarcReader.h"
#include "copies/RecordIdentifiers.h"
#include "records/ResultStore.h"

namespace {

// The store is read a slice at a time so that workers never wait long.
constexpr int32_t kSlice = 2000;

// Marks and identifiers in one pass over the record.
class CopyFactsReader : public MarcHandler {
public:
    QualityMarksReader marks;
    RecordIdentifierReader ids;

    void reset() {
        marks = QualityMarksReader();
        ids.reset();
    }

    void onLeader(const MarcLeader& leader) override { marks.onLeader(leader); }
    void onRecordEnd() override { ids.onRecordEnd(); }
    void onDataFieldEnd() override {
        if (toIds_) ids.onDataFieldEnd();
    }
    void onControlField(std::string_view tag, const MarcField& field) override {
        marks.onControlField(tag, field);
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        const int number = marcTagNumber(tag);
        toMarks_ = marks.onDataField(number, field);
        toIds_ = ids.onDataField(number, field);
        return toMarks_ || toIds_;
    }
    void onSubfield(char code, std::string_view content) override {
        if (toMarks_) marks.onSubfield(code, content);
        if (toIds_) ids.onSubfield(code, content);
    }

private:
    bool toMarks_ = false, toIds_ = false;
};

// Keys are looked up by a 64-bit hash: a collision among a search's few
// hundred thousand keys is too unlikely to weigh against the speed.
uint64_t keyHash(std::string_view key) { return std::hash<std::string_view>()(key); }
uint64_t knownHash(std::string_view text) { return text.empty() ? 0 : keyHash(text) | 1; }

// Owners a number may have: one per work it was given to by mistake.
constexpr uint64_t kOwnersOfKey = 4;
// Works told apart in one group; beyond, a join sees only the first ones.
constexpr uint8_t kWorksOfGroup = 16;

}  // namespace

// The keys of records read but not yet looked up in the table.
struct CopyGrouping::KeyBatch {
    struct Key {
        uint64_t hash;
        size_t end;  // in text
    };
    struct Keys {
        int32_t index;
        size_t first;  // in keys: the standard numbers, then the work key if any
        size_t numbers;
        bool work;
        bool numbered;
    };
    std::string text;
    std::vector<Key> keys;
    std::vector<Keys> records;

    void add(std::string_view key) {
        text.append(key);
        keys.push_back({keyHash(key), text.size()});
    }
    std::string_view key(size_t i) const {
        const size_t begin = i == 0 ? 0 : keys[i - 1].end;
        return std::string_view(text).substr(begin, keys[i].end - begin);
    }
    void clear() {
        text.clear();
        keys.clear();
        records.clear();
    }
};

void CopyGrouping::catchUp(const ResultStore& store) {
    const size_t count = store.count();
    if (count < recordCount()) clear();
    if (recordCount() == 0) {
        parent_.reserve(count);
        reason_.reserve(count);
        hasIds_.reserve(count);
        target_.reserve(count);
        marks_.reserve(count);
        works_.reserve(count);
        // Room for a key or two per record from the start: growing the table
        // means reinserting every key, each a miss in the cache.
        if (owners_.empty()) {
            size_t slots = 1024;
            while (slots < 2 * count) slots *= 2;
            owners_.resize(slots);
        }
    }
    KeyBatch batch;
    while (recordCount() < count) {
        const int32_t first = static_cast<int32_t>(recordCount()) + 1;
        const int32_t last = std::min<int32_t>(static_cast<int32_t>(count), first + kSlice - 1);
        std::vector<int32_t> numbers(static_cast<size_t>(last - first + 1));
        std::iota(numbers.begin(), numbers.end(), first);
        const size_t before = recordCount();
        batch.clear();
        store.visitRawRecords(numbers.data(), numbers.size(),
                              [this, &batch](const RawRecordView& r) { read(r, batch); });
        settle(batch);                       // outside the store's lock
        if (recordCount() == before) break;  // the store lost them meanwhile
    }
}

void CopyGrouping::add(const Record& record) {
    KeyBatch batch;
    read(RawRecordView{record.number, record.targetId, record.kind, record.rawData}, batch);
    settle(batch);
}

void CopyGrouping::read(const RawRecordView& record, KeyBatch& batch) {
    if (record.number <= 0) return;
    // A gap in the numbers gets records of its own that stand alone.
    while (parent_.size() < static_cast<size_t>(record.number)) {
        parent_.push_back(static_cast<int32_t>(parent_.size()));
        reason_.push_back(-1);
        hasIds_.push_back(0);
        target_.push_back(-1);
        marks_.emplace_back();
        works_.push_back({{}, -1, static_cast<int32_t>(works_.size()), 0, 1});
    }
    const int32_t index = record.number - 1;
    target_[index] = record.targetId;
    if (record.kind != Marc) return;
    // One reader per thread, reused, so that reading a record allocates nothing.
    thread_local CopyFactsReader facts;
    facts.reset();
    MarcReader().read(record.rawData.data(), record.rawData.size(), facts);
    marks_[index] = facts.marks.marks;
    const RecordIdentifierReader& ids = facts.ids;
    hasIds_[index] = ids.hasNumbers() ? 1 : 0;
    works_[index].work = {knownHash(ids.titleProper()), knownHash(ids.surname()),
                          knownHash(ids.volume())};
    batch.records.push_back(
        {index, batch.keys.size(), ids.keyCount(), !ids.workKey().empty(), ids.hasNumbers()});
    for (size_t i = 0; i < ids.keyCount(); ++i) batch.add(ids.key(i));
    if (!ids.workKey().empty()) batch.add(ids.workKey());
}

void CopyGrouping::settle(const KeyBatch& batch) {
    // Each lookup misses the cache, so the slots of records a few ahead are
    // fetched meanwhile.
    constexpr size_t kAhead = 8;
    const std::vector<KeyBatch::Keys>& records = batch.records;
    for (size_t r = 0; r < records.size(); ++r) {
        if (r + kAhead < records.size() && !owners_.empty()) {
            const KeyBatch::Keys& next = records[r + kAhead];
            const size_t end = next.first + next.numbers + (next.work ? 1 : 0);
            for (size_t k = next.first; k < end; ++k)
                __builtin_prefetch(&owners_[batch.keys[k].hash & (owners_.size() - 1)]);
        }
        const KeyBatch::Keys& keys = records[r];
        const int32_t index = keys.index;
        const size_t numbersEnd = keys.first + keys.numbers;
        int32_t refusedBy = -1;  // a group refusing it counts it once
        for (size_t k = keys.first; k < numbersEnd; ++k)
            joinByNumber(batch.keys[k].hash, index, batch.key(k), refusedBy);
        if (!keys.work) continue;
        const int32_t first = firstWithKey(batch.keys[numbersEnd].hash, index);
        // A record with numbers joins by the work key only a group that has none,
        // so a hardback and a paperback of one title stay apart.
        if (first != index && (!keys.numbered || !hasIds_[find(first)]))
            unite(first, index, batch.key(numbersEnd));
    }
}

void CopyGrouping::clear() { *this = CopyGrouping(); }

int32_t CopyGrouping::firstWithKey(uint64_t hash, int32_t index) {
    if (hash == 0) hash = 1;
    if (2 * (ownerCount_ + 1) > owners_.size()) {
        std::vector<std::pair<uint64_t, int32_t>> old(std::max<size_t>(1024, owners_.size() * 2));
        old.swap(owners_);
        ownerCount_ = 0;
        for (const auto& [h, i] : old)
            if (h != 0) firstWithKey(h, i);
    }
    const size_t mask = owners_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        auto& slot = owners_[at];
        if (slot.first == hash) return slot.second;
        if (slot.first == 0) {
            slot = {hash, index};
            ++ownerCount_;
            return index;
        }
    }
}

int32_t CopyGrouping::find(int32_t index) const {
    while (parent_[index] != index) {
        parent_[index] = parent_[parent_[index]];
        index = parent_[index];
    }
    return index;
}

void CopyGrouping::joinByNumber(uint64_t hash, int32_t index, std::string_view key,
                                int32_t& refusedBy) {
    for (uint64_t variant = 0; variant < kOwnersOfKey; ++variant) {
        const int32_t owner = firstWithKey(hash + variant * 0x9E3779B97F4A7C15ull, index);
        if (owner == index || unite(owner, index, key)) return;
        const int32_t root = find(owner);
        if (root == refusedBy) continue;
        // Counted on both sides: either may be the group the user looks at.
        ++works_[root].keptApart;
        ++works_[find(index)].keptApart;
        refusedBy = root;
    }
}

bool CopyGrouping::conflicting(int32_t rootA, int32_t rootB) const {
    const auto differ = [](uint64_t p, uint64_t q) { return p && q && p != q; };
    for (int32_t x = rootA; x >= 0; x = works_[x].next)
        for (int32_t y = rootB; y >= 0; y = works_[y].next) {
            const Work &v = works_[x].work, &w = works_[y].work;
            if ((differ(v.title, w.title) && differ(v.author, w.author)) ||
                differ(v.volume, w.volume))
                return true;
        }
    return false;
}

bool CopyGrouping::unite(int32_t a, int32_t b, std::string_view key) {
    a = find(a);
    b = find(b);
    if (a == b) return true;
    if (conflicting(a, b)) return false;
    if (b < a) std::swap(a, b);
    WorkLink& root = works_[a];
    for (int32_t y = b, next; y >= 0; y = next) {
        next = works_[y].next;
        bool known = root.count >= kWorksOfGroup;
        for (int32_t x = a; x >= 0 && !known; x = works_[x].next)
            known = works_[x].work == works_[y].work;
        if (known) continue;
        works_[y].next = -1;
        works_[root.last].next = y;
        root.last = y;
        ++root.count;
    }
    root.keptApart += works_[b].keptApart;
    // The older group keeps its reason.
    if (reason_[a] < 0) {
        if (reason_[b] < 0) {
            reason_[a] = static_cast<int32_t>(reasonEnds_.size());
            reasonText_.append(key);
            reasonEnds_.push_back(reasonText_.size());
        } else {
            reason_[a] = reason_[b];
        }
    }
    reason_[b] = -1;
    hasIds_[a] = hasIds_[a] || hasIds_[b];
    parent_[b] = a;
    return true;
}

std::string_view CopyGrouping::reasonOf(int32_t root) const {
    const int32_t r = reason_[root];
    if (r < 0) return {};
    const size_t begin = r == 0 ? 0 : reasonEnds_[r - 1];
    return std::string_view(reasonText_).substr(begin, reasonEnds_[r] - begin);
}

std::vector<CopyGroup> CopyGrouping::groups() const {
    const int32_t n = static_cast<int32_t>(parent_.size());
    // Each record's group label: its root, then the user's changes in order.
    std::vector<int32_t> label(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) label[i] = find(i);
    std::set<int32_t> joined;
    int32_t fresh = n;
    for (const Change& change : changes_) {
        if (!change.join) {
            const int32_t i = change.numbers.front() - 1;
            if (i >= 0 && i < n) label[i] = fresh++;
            continue;
        }
        int32_t into = -1;
        std::set<int32_t> from;
        for (int32_t number : change.numbers) {
            if (number <= 0 || number > n) continue;
            if (into < 0)
                into = label[number - 1];
            else
                from.insert(label[number - 1]);
        }
        from.erase(into);
        if (into < 0 || from.empty()) continue;
        for (int32_t& l : label)
            if (from.count(l)) l = into;
        joined.insert(into);
    }

    // Groups are numbered and counted first, so each takes its room once.
    std::vector<int32_t> slot(static_cast<size_t>(fresh), -1);
    std::vector<int32_t> firstLabel, sizes;
    for (int32_t i = 0; i < n; ++i) {
        int32_t& s = slot[label[i]];
        if (s < 0) {
            s = static_cast<int32_t>(sizes.size());
            sizes.push_back(0);
            firstLabel.push_back(label[i]);
        }
        ++sizes[s];
    }
    std::vector<CopyGroup> result(sizes.size());
    for (size_t g = 0; g < result.size(); ++g) {
        result[g].members.reserve(static_cast<size_t>(sizes[g]));
        if (sizes[g] < 2) continue;  // "-" below
        const int32_t l = firstLabel[g];
        if (!joined.empty() && joined.count(l))
            result[g].reasonKey = "joined";
        else if (l < n) {
            result[g].reasonKey = reasonOf(l);
            result[g].keptApart = works_[l].keptApart;
        }
    }
    for (int32_t i = 0; i < n; ++i) result[slot[label[i]]].members.push_back(i + 1);
    for (CopyGroup& group : result) {
        std::vector<int32_t>& m = group.members;
        if (m.size() < 2 || group.reasonKey.empty()) group.reasonKey = "-";
        auto best = m.begin();
        for (auto it = m.begin() + 1; it != m.end(); ++it)
            if (betterCopy(marks_[*it - 1], marks_[*best - 1])) best = it;
        std::rotate(m.begin(), best, best + 1);
        // Groups are small: counting distinct targets in place beats a set.
        for (size_t i = 0; i < m.size(); ++i) {
            const int32_t target = target_[m[i] - 1];
            bool seen = false;
            for (size_t j = 0; j < i && !seen; ++j) seen = target_[m[j] - 1] == target;
            group.targets += seen ? 0 : 1;
        }
    }
    return result;
}

const QualityMarks& CopyGrouping::marks(int32_t number) const {
    static const QualityMarks kNone;
    return number > 0 && static_cast<size_t>(number) <= marks_.size() ? marks_[number - 1] : kNone;
}

int32_t CopyGrouping::targetOf(int32_t number) const {
    return number > 0 && static_cast<size_t>(number) <= target_.size() ? target_[number - 1] : -1;
}

std::vector<int32_t> CopyGrouping::allCopies(const std::vector<int32_t>& numbers) const {
    const std::vector<CopyGroup> all = groups();
    std::vector<int32_t> groupOf(parent_.size(), -1);
    for (size_t g = 0; g < all.size(); ++g)
        for (int32_t number : all[g].members) groupOf[number - 1] = static_cast<int32_t>(g);
    std::vector<char> taken(all.size(), 0);
    std::vector<int32_t> out;
    for (int32_t number : numbers) {
        if (number <= 0 || static_cast<size_t>(number) > groupOf.size()) continue;
        const int32_t g = groupOf[number - 1];
        if (taken[g]) continue;
        taken[g] = 1;
        out.insert(out.end(), all[g].members.begin(), all[g].members.end());
    }
    return out;
}

void CopyGrouping::takeOut(int32_t number) { changes_.push_back({false, {number}}); }

void CopyGrouping::join(const std::vector<int32_t>& numbers) {
    if (numbers.size() > 1) changes_.push_back({true, numbers});
}
