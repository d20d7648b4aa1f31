// A retrieved record, self-contained: no ZOOM object is referred to after it
// has been built.
#pragma once

#include <cstdint>
#include <string>

#include "xmlrecords/XmlSchema.h"

enum RecordKind : int32_t { Sutrs = 0, Xml = 1, Marc = 2, Opac = 3, Grs1 = 4, Other = 5 };

struct Record {
    int32_t number = 0;
    std::string title;
    std::string author;
    std::string date;
    int32_t targetId = 0;
    // Which query of a batch search brought it (from 0); -1 otherwise.
    int32_t batchQuery = -1;
    std::string targetName;
    std::string renderedText;
    RecordKind kind = Other;
    XmlSchema xmlSchema = OtherXml;
    std::string syntax;
    std::string xmlText;
    std::string rawData;
    // A MARC record's xmlText and renderedText are made from rawData when it
    // is first copied out of the store (completeRecordForms).
    bool formsDeferred = false;
    // A MARC record: the charset its text was read in and why
    // (packCharsetChoice), and how many U+FFFD that reading gave.
    uint8_t charsetChoice = 0;
    uint32_t replacements = 0;
};

// The kind of a record from its (lower-cased) syntax name.
RecordKind recordKindFromSyntax(const std::string& syntax);
