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
    // Unbuffered: a short write must be seen here. Buffered, Qt drops the rest of
    // a short write while flushing and commits a cut file.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const qint64 size = static_cast<qint64>(bytes.size());
    for (qint64 done = 0; ok && done < size;) {
        const qint64 n = file.write(bytes.data() + done, size - done);
        ok = n > 0;
        done += n;
    }
    if (ok && file.commit()) return true;
    cause = file.errorString();
    int errorNumber = QFileInfo(path).isDir() ? EISDIR : errorNumberOf(cause);
    if (file.error() == QFileDevice::PermissionsError) errorNumber = EACCES;
    message = QString::fromStdString(fileErrorText(errorNumber, path.toStdString()));
    file.cancelWriting();
    return false;
}
