// What the file export commands write for a record.
#pragma once

#include <string>

#include "export/FileExportKind.h"

struct Record;

// Pure; any thread. MARC: the raw data; TEXT: the rendered text; XML and XSL
// Transformation: the XML text (the transformation's input). Empty when the
// record keeps no such text.
const std::string& fileExportText(const Record& record, FileExportKind kind);

// Pure. The message for a file that could not be written, by the system's error
// number: "Access to %1 was denied.", "Disk full while accessing %1.", "%1
// contains an invalid path.", or a general one for any other cause.
std::string fileErrorText(int errorNumber, const std::string& path);
