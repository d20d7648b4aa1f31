// The questions every file export asks before it writes, and how it reports
// a file it could not write. UI thread only.
#pragma once

#include <QString>

#include "export/FileExportKind.h"

class QWidget;

// XSL Transformation asks for the stylesheet first; then every kind asks
// where to save, starting in the folder saved to last. False when the user
// cancelled either dialog.
bool askExportFiles(QWidget* parent, FileExportKind kind, QString& stylesheet, QString& path);

// The same for many records: a MARC file offers "as received" and "as UTF-8"
// as file types, asUtf8 choosing the one shown first and returning the one chosen;
// fileName (without suffix) is the name proposed.
bool askExportFiles(QWidget* parent, FileExportKind kind, QString& stylesheet, QString& path,
                    bool& asUtf8, const QString& fileName = {});

// The file that "Add to File" adds to: ISO 2709, MARC text or MARCXML, by its
// suffix; an existing file is not replaced. Empty when the user cancelled.
QString askFileToAddTo(QWidget* parent);

// The warning for a failed save: message in the user's terms, cause the system's.
void showSaveFailure(QWidget* parent, const QString& message, const QString& cause);
