// Record > Edit Record and Revert to Received. UI thread only.
#pragma once

#include <functional>

class DocumentCore;
class QMenu;
class QWidget;

// Opens the selected MARC record in the editor; once saved, the list keeps
// the correction in its place. True when the record was replaced.
bool editSelectedRecord(DocumentCore& doc, QWidget* parent);
// Puts the received record back in place of the selected corrected one.
bool revertSelectedRecord(DocumentCore& doc);

// Fills menu with both commands; changed runs after either changed a record.
void addRecordCommands(QMenu& menu, DocumentCore& doc, QWidget* parent,
                       const std::function<void()>& changed);
