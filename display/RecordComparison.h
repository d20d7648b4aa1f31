// Records laid side by side: fields aligned by tag and occurrence (the second
// 650 of one record beside the second 650 of the other), with what differs.
#pragma once

#include <string>
#include <vector>

#include "records/Record.h"

struct ComparedField {
    bool present = false;
    std::string indicators;  // two characters
    std::string text;        // "$a Pride and prejudice / $c Jane Austen." (UTF-8)
};

struct ComparedRow {
    std::string tag;                    // "LDR" for the leader
    int occurrence = 1;                 // counts from 1 within the tag
    std::vector<ComparedField> fields;  // one per record, in the order given
    bool missing = false;               // absent from some record
    bool indicators = false;            // present everywhere, indicators differ
    bool subfields = false;             // present everywhere, content differs
    bool differs() const { return missing || indicators || subfields; }
};

// Pure; any thread. Rows ordered by tag, then occurrence; each record's text
// read in the charset it was read in when built (recordCharset), as the list
// and its page show it. Records that are not MARC, and bytes that do not
// decode as ISO 2709, give a record with no fields.
std::vector<ComparedRow> compareRecords(const std::vector<Record>& records);
// Pure; any thread. The same for bare bytes, in the charset marcCharset finds.
std::vector<ComparedRow> compareRecords(const std::vector<std::string>& iso2709);

// Pure. "only in 1, 3", "indicators differ", "subfields differ", "contents
// differ" (the leader and control fields), or "".
std::string differenceText(const ComparedRow& row);

// Pure. A compared record's column header, telling records of one target
// apart: "1: Beta, row 3, 001 b1"; the row in the list (from 1) and the
// control number are left out when unknown (0, empty).
std::string comparedRecordName(size_t index, const std::string& target, size_t listRow,
                               const std::string& controlNumber);
