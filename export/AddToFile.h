// A record added to the end of a file that collects records, such as a day's
// work: ISO 2709 records one after another, MARC text records apart by a blank
// line, MARCXML records in the file's one collection. Pure; any thread.
#pragma once

#include <cstddef>
#include <string>

#include "export/FileExportKind.h"
#include "export/MarcExportForm.h"

struct Record;

// The form by the file's suffix: ".mrk" MARC text, ".xml" MARCXML, else ISO 2709.
FileExportKind addToFileKind(const std::string& path);

struct AddedFile {
    std::string bytes;   // the whole new file
    size_t records = 0;  // in it, the added one counted
    std::string error;   // set when nothing may be written
};

// existing: the file's bytes (empty for a new file). A file not of the kind's
// form is refused rather than made unreadable.
AddedFile addRecordToFile(const std::string& existing, const Record& record, FileExportKind kind,
                          const MarcExportOptions& options);

// "Added 1 record to today.mrc, 12 in the file".
std::string addedText(size_t added, const std::string& fileName, size_t inFile);
