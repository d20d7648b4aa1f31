// What tells that two MARC records describe one book: the standard numbers
// they carry, in normal form, and a key made of title, author, date and
// edition for records that carry none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/MarcHandler.h"

struct RecordIdentifiers {
    // "isbn:9780306406157", "oclc:63111280", "lccn:2001012345", "issn:03785955";
    // each once, in field order.
    std::vector<std::string> keys;
    // "work:title/surname/date/edition"; empty when the record has no title.
    std::string workKey;
};

// Pure. The normal forms, or "" when the text holds no such number.
// OCLC: a 035 $a with the "(OCoLC)" prefix; ocm/ocn/on and leading zeros dropped.
std::string oclcNormalForm(std::string_view subfield);
// LCCN: blanks removed, anything from a "/" on dropped, the serial after a
// hyphen zero-padded to six digits.
std::string lccnNormalForm(std::string_view subfield);
// ISSN: the eight characters, hyphen removed; X upper-case.
std::string issnNormalForm(std::string_view subfield);
// Lower-cased ASCII, punctuation made blank, blanks collapsed, the first
// nonfiling bytes (an article the cataloguer marked) dropped.
std::string titleNormalForm(std::string_view text, int nonfiling = 0);

// Any thread. Reads an ISO 2709 record; nothing for bytes that hold none.
RecordIdentifiers recordIdentifiers(std::string_view iso2709);

// The same as a handler, for readers that take more from the record in the
// same pass. Whole after onRecordEnd; reset() readies it for the next record,
// keeping its room, so reading many records allocates next to nothing.
class RecordIdentifierReader : public MarcHandler {
public:
    void reset();
    size_t keyCount() const { return keyEnds_.size(); }
    // As in RecordIdentifiers; valid until the next reset.
    std::string_view key(size_t i) const;
    std::string_view workKey() const { return workKey_; }
    RecordIdentifiers result() const;

    bool onDataField(std::string_view tag, const MarcField& field) override;
    // The same with the tag as marcTagNumber gives it; inline, as most fields
    // hold nothing for it.
    bool onDataField(int tag, const MarcField& field) {
        tag_ = tag;
        switch (tag) {
            case 10:
            case 20:
            case 22:
            case 35:
                return true;
            case 100:
            case 110:
            case 111:
            case 245:
            case 250:
            case 260:
            case 264:
                return onWorkField(field);
            default:
                return false;
        }
    }
    void onSubfield(char code, std::string_view content) override;
    void onRecordEnd() override;

private:
    // The fields of the work key.
    bool onWorkField(const MarcField& field);
    // Appends "kind:" and the normal form append gives, unless it gives
    // nothing or the record has that key already.
    template <typename Append>
    void addKey(std::string_view kind, Append append);

    int tag_ = -1;
    std::string keyText_;  // the keys one after the other
    std::vector<size_t> keyEnds_;
    std::string workKey_;
    std::string title_, surname_, date_, publication264_, edition_;
    int nonfiling_ = 0;
    bool firstTitlePart_ = true;
    bool dateFrom260_ = false, publication264Seen_ = false;
};
