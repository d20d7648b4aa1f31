#include "records/PackedRecord.h"

#include <cstring>

uint32_t InternTable::intern(const std::string& text) {
    const auto found = indexes_.find(text);
    if (found != indexes_.end()) return found->second;
    const auto index = static_cast<uint32_t>(texts_.size());
    texts_.push_back(text);
    indexes_.emplace(text, index);
    return index;
}

void InternTable::clear() {
    texts_.clear();
    indexes_.clear();
}

PackedRecord::PackedRecord(const Record& record, InternTable& names)
    : number_(record.number),
      targetId_(record.targetId),
      targetName_(names.intern(record.targetName)),
      syntax_(names.intern(record.syntax)),
      batchQuery_(record.batchQuery),
      replacements_(record.replacements),
      charsetChoice_(record.charsetChoice),
      kind_(static_cast<int8_t>(record.kind)),
      xmlSchema_(static_cast<int8_t>(record.xmlSchema)),
      formsDeferred_(record.formsDeferred) {
    const std::string* texts[TextCount] = {&record.title,        &record.author,  &record.date,
                                           &record.renderedText, &record.xmlText, &record.rawData};
    uint32_t lengths[TextCount];
    size_t size = sizeof lengths;
    for (int i = 0; i < TextCount; ++i) {
        lengths[i] = static_cast<uint32_t>(texts[i]->size());
        size += lengths[i];
    }
    block_.reset(new char[size]);
    std::memcpy(block_.get(), lengths, sizeof lengths);
    char* at = block_.get() + sizeof lengths;
    for (int i = 0; i < TextCount; ++i) {
        std::memcpy(at, texts[i]->data(), lengths[i]);
        at += lengths[i];
    }
}

std::string_view PackedRecord::text(Text which) const {
    uint32_t lengths[TextCount];
    std::memcpy(lengths, block_.get(), sizeof lengths);
    const char* at = block_.get() + sizeof lengths;
    for (int i = 0; i < which; ++i) at += lengths[i];
    return std::string_view(at, lengths[which]);
}

BriefFields PackedRecord::brief(const InternTable& names) const {
    return {number_,     targetId_,    batchQuery_, replacements_,
            text(Title), text(Author), text(Date),  names.text(targetName_)};
}

RawRecordView PackedRecord::raw() const {
    return {number_, targetId_, static_cast<RecordKind>(kind_), text(Raw)};
}

void PackedRecord::unpack(const InternTable& names, Record& out) const {
    const auto assign = [](std::string& to, std::string_view from) {
        to.assign(from.data(), from.size());
    };
    out.number = number_;
    out.targetId = targetId_;
    assign(out.title, text(Title));
    assign(out.author, text(Author));
    assign(out.date, text(Date));
    out.targetName = names.text(targetName_);
    assign(out.renderedText, text(Rendered));
    out.kind = static_cast<RecordKind>(kind_);
    out.xmlSchema = static_cast<XmlSchema>(xmlSchema_);
    out.syntax = names.text(syntax_);
    assign(out.xmlText, text(Xml));
    assign(out.rawData, text(Raw));
    out.formsDeferred = formsDeferred_;
    out.batchQuery = batchQuery_;
    out.charsetChoice = charsetChoice_;
    out.replacements = replacements_;
}

// A field added to Record must be packed above too, or the store drops it.
static_assert(sizeof(Record) == 288, "pack the new Record field in PackedRecord");
