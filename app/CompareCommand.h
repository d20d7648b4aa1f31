// View > Compare Records. UI thread only.
#pragma once

class DocumentCore;
class QDialog;
class QWidget;

// Opens the Compare window on the two to four selected records, whose Export
// saves one as MARC; null when the selection does not fit.
QDialog* compareRecords(DocumentCore& doc, QWidget* parent);
