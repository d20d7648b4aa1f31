#include "app/ApplicationSetup.h"

#include <QApplication>

void configureApplication() {
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("QRN"));
    // No display name: the window system would append it to every title.
    QApplication::setDesktopFileName(QStringLiteral("qrn"));
}
