#include "export/widgets/SaveExportFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "export/FileExportText.h"

namespace {

// Qt passes the system's error text on, not its number; find the number back.
int errorNumberOf(const QString& systemText) {
    for (int candidate : {EACCES, EPERM, EROFS, ETXTBSY, ENOSPC, EDQUOT, ENOENT, ENOTDIR, EISDIR,
                          ENAMETOOLONG, ELOOP}) {
        if (systemText == QString::fromLocal8Bit(std::strerror(candidate))) return candidate;
    }
    return 0;
}

}  // namespace

bool saveExportFile(const QString& path, const std::string& bytes, QString& message,
                    QString& cause) {
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly) &&
              file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                  static_cast<qint64>(bytes.size()) &&
              file.commit();
    if (ok) return true;
    cause = file.errorString();
    int errorNumber = QFileInfo(path).isDir() ? EISDIR : errorNumberOf(cause);
    if (file.error() == QFileDevice::PermissionsError) errorNumber = EACCES;
    message = QString::fromStdString(fileErrorText(errorNumber, path.toStdString()));
    file.cancelWriting();
    return false;
}
