// One export file made of many records, built a record at a time. Records
// without the wanted form are skipped and counted, so the file stays readable
// as a whole: a MARC file is a sequence of ISO 2709 records, TEXT separates
// the records' texts by a blank line (so does MARC text), XML is one
// well-formed document.
#pragma once

#include <cstddef>
#include <string>

#include "export/FileExportKind.h"
#include "export/MarcExportForm.h"

struct Record;

// One thread at a time. XML and XSL Transformation give the same document.
class ManyRecordFile {
public:
    explicit ManyRecordFile(FileExportKind kind, MarcExportOptions options = {});

    // Appends the record's form, or counts it as skipped. A MARC record's
    // deferred forms must have been completed for TEXT and XML.
    void add(const Record& record);
    // Room for about this many bytes, so a large file grows without copying.
    void reserve(size_t bytes) { bytes_.reserve(bytes); }
    // The file's bytes; empty when no record was written. Call once.
    std::string finish();

    size_t written() const { return written_; }
    size_t skipped() const { return skipped_; }
    // Of those skipped in a MARC file: MARCXML records too long for ISO 2709.
    size_t tooLongForMarc() const { return tooLongForMarc_; }
    // XML: the MARC 21 records in the collection, and whether other documents came too.
    size_t marcXmlRecords() const { return marcXmlRecords_; }
    bool hasOtherXml() const { return !otherXml_.empty(); }

private:
    void addXml(const std::string& xml);

    FileExportKind kind_;
    MarcExportOptions options_;
    std::string bytes_;
    // XML: the MARC 21 slim records and the other documents' root elements.
    std::string otherXml_;
    size_t marcXmlRecords_ = 0;
    size_t written_ = 0;
    size_t skipped_ = 0;
    size_t tooLongForMarc_ = 0;
};

// Pure. The closing line of an export that skipped records:
// "38 records written, 2 skipped: not MARC"; tooLong of the skipped ones are
// MARCXML records too long for ISO 2709, which the text names.
std::string recordsWrittenText(FileExportKind kind, size_t written, size_t skipped,
                               size_t tooLong = 0);
