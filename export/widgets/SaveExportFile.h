// Writing an export file so that a failure never costs the file it replaces.
// Any thread.
#pragma once

#include <QString>
#include <string>

// Writes exactly bytes to path through a temporary file renamed over it: on
// failure the old file stays whole and message says why, in the user's terms
// (naming the file), with the system's own words in cause.
bool saveExportFile(const QString& path, const std::string& bytes, QString& message,
                    QString& cause);
