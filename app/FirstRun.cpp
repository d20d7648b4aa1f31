#include "app/FirstRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

#include "settings/store/Settings.h"
#include "settings/store/UserSetup.h"

bool setUpFirstRun(const QString& dataDir, QWidget* parent) {
    if (Settings::storeExists()) return true;
    if (dataDir.isEmpty()) {
        QMessageBox::critical(
            parent, QStringLiteral("qrn"),
            QStringLiteral("qrn cannot find its shipped data: there is no share/qrn folder "
                           "beside or above %1.\n\nReinstall qrn; nothing was changed.")
                .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
        return false;
    }
    const UserSetupReport report = setUpUser(dataDir.toStdString());
    if (!report.ok) {
        QString text = QStringLiteral("qrn could not set itself up for this user:");
        for (const std::string& error : report.errors)
            text += QLatin1Char('\n') + QString::fromStdString(error);
        QMessageBox::warning(parent, QStringLiteral("qrn"), text);
    }
    return true;
}
