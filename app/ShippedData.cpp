#include "app/ShippedData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString shippedDataDir() {
    const QDir appDir(QCoreApplication::applicationDirPath());
    for (const QString& relative : {QStringLiteral("../share/qrn"), QStringLiteral("share/qrn")}) {
        const QString candidate = QDir::cleanPath(appDir.filePath(relative));
        if (QFileInfo::exists(QDir(candidate).filePath(QStringLiteral("targets.xml"))))
            return candidate;
    }
    return QString();
}
