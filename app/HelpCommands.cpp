#include "app/HelpCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

#include "app/ShippedData.h"
#include "ui/HelpWindow.h"

QUrl forumUrl(const std::string& setting) {
    const QUrl url(QString::fromStdString(setting).trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QUrl();
    return url;
}

QString manualFile(const QString& dataDir) {
    if (dataDir.isEmpty()) return QString();
    const QString file = QDir(dataDir).filePath(QStringLiteral("help/index.html"));
    return QFileInfo(file).isFile() ? file : QString();
}

void showManual(QWidget* parent) {
    static QPointer<HelpWindow> window;
    if (!window) {
        const QString file = manualFile(shippedDataDir());
        if (file.isEmpty()) {
            QMessageBox::warning(parent, QStringLiteral("qrn"),
                                 QStringLiteral("The manual is not installed: there is no "
                                                "share/qrn/help/index.html."));
            return;
        }
        // A window of its own beside the main window, gone with it.
        window = new HelpWindow(QUrl::fromLocalFile(file), parent ? parent->window() : nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
