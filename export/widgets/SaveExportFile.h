// Writing an export file so that a failure never costs the file it replaces,
// and the file stays what it was (see base/SafeFileWrite.h). Any thread.
#pragma once

#include <QString>
#include <string>

// Writes exactly bytes to path. On failure message says why, in the user's
// terms (naming the file), whatever the locale, with the system's own words in
// cause.
bool saveExportFile(const QString& path, const std::string& bytes, QString& message,
                    QString& cause);
