// What an installer does once per user: creates the settings store with the
// fresh-installation values and puts the default target list in place. Never
// overwrites what the user already has.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <string>

#include "display/Settings.h"
#include "display/SettingsDefaults.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("QRN"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: qrn-setup DATA_DIR\n"
                             "  DATA_DIR holds the shipped targets.xml\n");
        return 2;
    }
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

    if (!Settings::storeExists()) {
        const std::string targetFile = QDir(userDir).filePath("targets.xml").toStdString();
        if (!Settings::createStore(freshInstallationSettings(targetFile))) {
            std::fprintf(stderr, "qrn-setup: cannot create the settings store %s\n",
                         Settings::storeLocation().c_str());
            return 1;
        }
        std::printf("Settings created: %s\n", Settings::storeLocation().c_str());
    } else {
        std::printf("Settings kept: %s\n", Settings::storeLocation().c_str());
    }

    const SettingsData settings = Settings::readValues();
    const QString targetFile = QString::fromStdString(settings.TargetFile);
    if (targetFile.isEmpty()) {
        std::printf("No target list file is set in the settings.\n");
        return 0;
    }
    if (QFile::exists(targetFile)) {
        std::printf("Target list kept: %s\n", settings.TargetFile.c_str());
        return 0;
    }
    const QString shipped = QDir(dataDir).filePath("targets.xml");
    if (!QDir().mkpath(QFileInfo(targetFile).absolutePath()) ||
        !QFile::copy(shipped, targetFile)) {
        std::fprintf(stderr, "qrn-setup: cannot copy %s to %s\n", shipped.toLocal8Bit().constData(),
                     settings.TargetFile.c_str());
        return 1;
    }
    QFile::setPermissions(targetFile, QFile::ReadOwner | QFile::WriteOwner);
    std::printf("Target list created: %s\n", settings.TargetFile.c_str());
    return 0;
}
