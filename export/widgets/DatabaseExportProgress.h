// The window's side of a database export job: a progress dialog with Cancel
// after a short delay, the window kept live, the outcome reported. UI thread.
#pragma once

#include "export/db/DatabaseExportJob.h"

class QWidget;

// Waits for job, handling events, and returns its result. One record shows
// "Exporting to the database…", several "Exporting record k of n".
const DatabaseExportJob::Result& watchDatabaseExport(DatabaseExportJob& job, QWidget* parent);

// A message box for a failure ("Unable to execute SQL", the database's text in
// the details, for several records also which record failed); nothing for a
// success or a cancel; a note when Cancel came after the rows were committed.
void reportDatabaseExport(const DatabaseExportJob::Result& result, size_t count, QWidget* parent);

// The failure of an export that never started, in the same words.
void reportDatabaseExportFailure(const std::string& detail, QWidget* parent);
