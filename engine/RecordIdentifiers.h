// What tells that two MARC records describe one book: the standard numbers
// they carry, in normal form, and a key made of title, author, date and
// edition for records that carry none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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
