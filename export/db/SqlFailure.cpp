#include "export/db/SqlFailure.h"

#include <QSqlError>

CADOException sqlFailure(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    const QString driverText = error.driverText().trimmed();
    if (!driverText.isEmpty()) text = text.isEmpty() ? driverText : driverText + ": " + text;
    if (text.isEmpty()) text = QStringLiteral("The database reported an unknown error.");
    return CADOException(static_cast<long>(error.type()), text.toStdString());
}
