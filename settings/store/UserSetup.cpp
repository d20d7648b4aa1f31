#include "settings/store/UserSetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/store/Settings.h"
#include "settings/SettingsDefaults.h"

UserSetupReport setUpUser(const std::string& dataDir) {
    UserSetupReport report;
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString shipped = QDir(QString::fromStdString(dataDir)).filePath("targets.xml");
    // A store made from a wrong folder would point at stylesheets that are not
    // there, and since it then exists the set-up would never run again.
    if (dataDir.empty() || !QFileInfo(shipped).isFile()) {
        report.ok = false;
        report.errors.push_back("no shipped target list " + shipped.toStdString() +
                                ": nothing was set up");
        return report;
    }

    if (!Settings::storeExists()) {
        const std::string targetFile = QDir(userDir).filePath("targets.xml").toStdString();
        if (!Settings::createStore(freshInstallationSettings(
                targetFile, QDir(QString::fromStdString(dataDir)).absolutePath().toStdString()))) {
            report.ok = false;
            report.errors.push_back("cannot create the settings store " +
                                    Settings::storeLocation());
            return report;
        }
        report.notes.push_back("Settings created: " + Settings::storeLocation());
    } else {
        report.notes.push_back("Settings kept: " + Settings::storeLocation());
    }

    const SettingsData settings = Settings::readValues();
    const QString targetFile = QString::fromStdString(settings.TargetFile);
    if (targetFile.isEmpty()) {
        report.notes.push_back("No target list file is set in the settings.");
        return report;
    }
    if (QFile::exists(targetFile)) {
        report.notes.push_back("Target list kept: " + settings.TargetFile);
        return report;
    }
    if (!QDir().mkpath(QFileInfo(targetFile).absolutePath()) ||
        !QFile::copy(shipped, targetFile)) {
        report.ok = false;
        report.errors.push_back("cannot copy " + shipped.toStdString() + " to " +
                                settings.TargetFile);
        return report;
    }
    QFile::setPermissions(targetFile, QFile::ReadOwner | QFile::WriteOwner);
    report.notes.push_back("Target list created: " + settings.TargetFile);
    return report;
}
