// The Export menu's commands on the selected record. UI thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "export/FileExportKind.h"

class DocumentCore;
class QWidget;

// MARC, TEXT, XML and XSL Transformation: asks for the file (and the
// stylesheet), then writes the record's text. Reports failures in a message box.
void exportRecordToFile(DocumentCore& doc, FileExportKind kind, QWidget* parent);
// The same for the record with this number, whichever is selected.
void exportRecordToFile(DocumentCore& doc, int32_t recordNumber, FileExportKind kind,
                        QWidget* parent);

// Database: the "Export to Database" dialog. True when it was confirmed and the
// connection string and template were stored in *doc.settings (the caller saves
// them); the statement has then been run, its failure shown.
bool exportRecordToDatabase(DocumentCore& doc, QWidget* parent);
// The same for the first of these records (one record at a time for now).
bool exportRecordToDatabase(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                            QWidget* parent);
