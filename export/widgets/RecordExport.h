// The Export menu's commands on the selected record. UI thread only.
#pragma once

#include <QString>
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

// Add to File: appends the selected record to the file added to last, or to
// one the user chooses (another, or no file yet), which is then remembered.
// Returns the status text ("Added 1 record to today.mrc, 12 in the file"),
// empty when nothing was added; failures are shown in a message box.
QString addRecordToFile(DocumentCore& doc, bool chooseAnother, QWidget* parent);

// Database: the "Export to Database" dialog, then the template run once for
// each of the records (store numbers, as the selection has them) in one
// transaction, off the UI thread, with progress and Cancel. True when the
// dialog was confirmed and the connection string and template were stored in
// *doc.settings (the caller saves them); the export has then run or its
// failure been shown.
bool exportRecordToDatabase(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                            QWidget* parent);
