// File export of many records at once: one dialog, one file, written off the
// UI thread. UI thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "export/FileExportKind.h"

class DocumentCore;
class QWidget;

// Asks for the file (and the stylesheet), then writes the records with these
// numbers into it as one file, all or nothing; Cancel in the progress dialog
// leaves no file (an old one whole). Skipped records are counted in a closing
// message, failures shown in a message box.
void exportRecordsToFile(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                         FileExportKind kind, QWidget* parent);
