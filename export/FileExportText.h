// What the file export commands write for a record.
#pragma once

#include <string>

#include "export/FileExportKind.h"
#include "export/MarcExportForm.h"

struct Record;

// Pure; any thread. MARC: the raw data; TEXT: the rendered text; XML and XSL
// Transformation: the XML text (the transformation's input). Empty when the
// record keeps no such text.
const std::string& fileExportText(const Record& record, FileExportKind kind);

// Any thread. What one record's export file holds, with the MARC options
// applied; a MARC record's forms must have been completed.
std::string fileExportBytes(const Record& record, FileExportKind kind,
                            const MarcExportOptions& options);

// Pure. The message for a file that could not be written, by the system's error
// number: "Access to %1 was denied.", "Disk full while accessing %1.", "%1
// contains an invalid path.", or a general one for any other cause.
std::string fileErrorText(int errorNumber, const std::string& path);
