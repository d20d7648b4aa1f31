// How the result store keeps a record: the fixed fields inline and every text
// in one block, with the target name and syntax interned, so tens of thousands
// of records cost little more than their bytes. Record stays the form that is
// handed out.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/Record.h"

// The texts that a list of records shows, valid while the store's lock is held.
struct BriefFields {
    int32_t number = 0;
    int32_t targetId = 0;
    int32_t batchQuery = -1;
    uint32_t replacements = 0;
    std::string_view title;
    std::string_view author;
    std::string_view date;
    std::string_view targetName;
};

// What a reader of the ISO 2709 bytes needs of a record, valid while the
// store's lock is held.
struct RawRecordView {
    int32_t number = 0;
    int32_t targetId = 0;
    RecordKind kind = Marc;
    std::string_view rawData;
};

// Short texts that many records share (target names, syntax names), kept once.
class InternTable {
public:
    uint32_t intern(const std::string& text);
    const std::string& text(uint32_t index) const { return texts_[index]; }
    void clear();

private:
    std::vector<std::string> texts_;
    std::unordered_map<std::string, uint32_t> indexes_;
};

class PackedRecord {
public:
    PackedRecord(const Record& record, InternTable& names);

    int32_t number() const { return number_; }
    int32_t targetId() const { return targetId_; }
    BriefFields brief(const InternTable& names) const;
    RawRecordView raw() const;
    // Asks the cache for the block's head, where the lengths are.
    void prefetchHead() const { __builtin_prefetch(block_.get()); }
    // Overwrites every field of out, reusing its strings' room.
    void unpack(const InternTable& names, Record& out) const;

private:
    enum Text { Title, Author, Date, Rendered, Xml, Raw, TextCount };
    std::string_view text(Text which) const;

    // TextCount lengths, then the texts one after the other.
    std::unique_ptr<char[]> block_;
    int32_t number_;
    int32_t targetId_;
    uint32_t targetName_;
    uint32_t syntax_;
    int32_t batchQuery_;
    uint32_t replacements_;
    uint8_t charsetChoice_;
    int8_t kind_;
    int8_t xmlSchema_;
    bool formsDeferred_;
};
