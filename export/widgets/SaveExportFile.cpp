#include "export/widgets/SaveExportFile.h"

#include <QFile>
#include <cstring>

#include "base/SafeFileWrite.h"
#include "export/FileExportText.h"

bool saveExportFile(const QString& path, const std::string& bytes, QString& message,
                    QString& cause) {
    const int error =
        writeFileSafely(QFile::encodeName(path).toStdString(), bytes, FileWriteRules{true, true});
    if (error == 0) return true;
    // The number, not the system's (translated) words, picks the message.
    message = QString::fromStdString(fileErrorText(error, path.toStdString()));
    cause = QString::fromLocal8Bit(std::strerror(error));
    return false;
}
