// What tells that two MARC records describe one book: the standard numbers
// they carry, in normal form, and a key made of title, author, date and
// edition for records that carry none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "marc/MarcHandler.h"

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
// nonfiling bytes (an article the cataloguer marked) dropped when they end
// at a word boundary: a wrong indicator must not cut a word.
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
    // True also when the record's numbers are no keys: set ISBNs, or more
    // ISBNs than one book has (a publisher's list, a set's volumes).
    bool hasNumbers() const { return keyCount() > 0 || numbersDropped_; }
    // What tells two records that share a number apart: the title proper
    // (245 $a), the main author's surname, the volume (245 $n, else the ISBN
    // qualifiers' "v. 1"...). Empty when unknown; valid until the next reset.
    std::string_view titleProper() const {
        return std::string_view(title_).substr(0, titleProperEnd_);
    }
    std::string_view surname() const { return surname_; }
    std::string_view volume() const { return volume_; }
    RecordIdentifiers result() const;

    bool onDataField(std::string_view tag, const MarcField& field) override;
    // The same with the tag as marcTagNumber gives it; inline, as most fields
    // hold nothing for it.
    bool onDataField(int tag, const MarcField& field) {
        tag_ = tag;
        switch (tag) {
            case 20:
                isbnSeen_ = isbnOfSet_ = false;
                fieldVolume_.clear();
                return true;
            case 10:
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
    void onDataFieldEnd() override;
    void onRecordEnd() override;

private:
    void dropIsbnKeys();
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
    size_t titleProperEnd_ = 0;
    // Of the 020 being read: its ISBN-13, whether a qualifier calls it a set.
    char isbn_[13] = {};
    bool isbnSeen_ = false, isbnOfSet_ = false;
    size_t isbns_ = 0;
    bool numbersDropped_ = false;
    std::string fieldVolume_, qualifierVolumes_, partVolume_, volume_;
    int nonfiling_ = 0;
    bool firstTitlePart_ = true;
    bool dateFrom260_ = false, publication264Seen_ = false;
};
