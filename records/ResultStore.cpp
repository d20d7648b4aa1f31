#include "records/ResultStore.h"

#include <algorithm>

#include "records/MarcForms.h"

void ResultStore::add(Record record) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    record.number = static_cast<int32_t>(records_.size() + 1);
    records_.emplace_back(record, names_);
    count_ = records_.size();
}

bool ResultStore::addIf(Record record, const std::function<bool()>& current) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (!current()) return false;
    add(std::move(record));
    return true;
}

void ResultStore::clear() {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    records_.clear();
    records_.shrink_to_fit();
    received_.clear();
    names_.clear();
    count_ = 0;
}

bool ResultStore::replaceRecord(int32_t number, Record corrected) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    // The store's own record, so writable.
    auto* slot = const_cast<PackedRecord*>(recordAt(number));
    if (!slot) return false;
    const PackedRecord* found = slot;
    Record received;
    found->unpack(names_, received);
    corrected.number = number;
    corrected.targetId = received.targetId;
    corrected.targetName = received.targetName;
    corrected.batchQuery = received.batchQuery;
    if (received_.count(number) == 0) received_.emplace(number, std::move(*slot));
    *slot = PackedRecord(corrected, names_);
    return true;
}

bool ResultStore::revertRecord(int32_t number) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    const auto kept = received_.find(number);
    auto* slot = const_cast<PackedRecord*>(recordAt(number));
    if (kept == received_.end() || !slot) return false;
    *slot = std::move(kept->second);
    received_.erase(kept);
    return true;
}

bool ResultStore::isEdited(int32_t number) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return received_.count(number) != 0;
}

bool ResultStore::copyRecord(int32_t number, Record& out) const {
    if (!findRecord(number, out)) return false;
    completeRecordForms(out);  // outside the lock: workers adding records wait for nothing
    return true;
}

bool ResultStore::findRecord(int32_t number, Record& out) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    const PackedRecord* found = recordAt(number);
    if (found) found->unpack(names_, out);
    return found != nullptr;
}

const PackedRecord* ResultStore::recordAt(int32_t number) const {
    // Numbers follow positions, so look there first; scan only if that fails.
    if (number >= 1 && static_cast<size_t>(number) <= records_.size() &&
        records_[static_cast<size_t>(number) - 1].number() == number)
        return &records_[static_cast<size_t>(number) - 1];
    for (const PackedRecord& r : records_)
        if (r.number() == number) return &r;
    return nullptr;
}

std::vector<Record> ResultStore::copyCompleteRecords(const int32_t* numbers, size_t count) const {
    std::vector<Record> out(count);
    {
        std::lock_guard<std::recursive_mutex> guard(lock_);
        for (size_t i = 0; i < count; ++i)
            if (const PackedRecord* found = recordAt(numbers[i])) found->unpack(names_, out[i]);
    }
    for (Record& r : out) completeRecordForms(r);
    return out;
}

std::vector<Record> ResultStore::copyAll() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    std::vector<Record> out(records_.size());
    for (size_t i = 0; i < records_.size(); ++i) records_[i].unpack(names_, out[i]);
    return out;
}

std::vector<Record> ResultStore::copyRecords(const int32_t* numbers, size_t count) const {
    std::vector<Record> out;
    out.reserve(count);
    visitRecords(numbers, count, [&out](const Record& record) { out.push_back(record); });
    return out;
}

void ResultStore::visitRecords(const int32_t* numbers, size_t count,
                               const std::function<void(const Record&)>& visit) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    // One record's room, reused: after the first few no visit allocates.
    Record scratch;
    for (size_t i = 0; i < count; ++i) {
        if (const PackedRecord* record = recordAt(numbers[i])) {
            record->unpack(names_, scratch);
            visit(scratch);
        }
    }
}

void ResultStore::visitRawRecords(const int32_t* numbers, size_t count,
                                  const std::function<void(const RawRecordView&)>& visit) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    // Readers of the bytes wait mostly for memory, so the records a little
    // ahead are fetched meanwhile: the head of the one after next, the
    // first bytes of the next.
    const auto ahead = [&](size_t i) { return i < count ? recordAt(numbers[i]) : nullptr; };
    if (const PackedRecord* first = ahead(0)) first->prefetchHead();
    if (const PackedRecord* second = ahead(1)) second->prefetchHead();
    for (size_t i = 0; i < count; ++i) {
        if (const PackedRecord* afterNext = ahead(i + 2)) afterNext->prefetchHead();
        if (const PackedRecord* next = ahead(i + 1)) {
            const std::string_view bytes = next->raw().rawData;
            for (size_t at = 0; at < std::min<size_t>(bytes.size(), 1024); at += 64)
                __builtin_prefetch(bytes.data() + at);
        }
        if (const PackedRecord* record = recordAt(numbers[i])) visit(record->raw());
    }
}

void ResultStore::visitBriefFields(const std::function<void(const BriefFields&)>& visit) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    for (const PackedRecord& record : records_) visit(record.brief(names_));
}
