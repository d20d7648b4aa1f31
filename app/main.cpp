// The window program. Start-up: the application, the first-run set-up where
// no installer ran, the document with its frame and views, the new-document
// step, then the window. Windows' common controls, OLE and the recent-file
// list have no counterpart here.
#include <QApplication>
#include <QMessageBox>
#include <memory>

#include "app/ApplicationSetup.h"
#include "app/CMainFrame.h"
#include "app/CqrnDoc.h"
#include "app/ShippedData.h"
#include "settings/store/Settings.h"
#include "settings/store/UserSetup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    configureApplication();

    if (!Settings::storeExists()) {
        const UserSetupReport report = setUpUser(shippedDataDir().toStdString());
        if (!report.ok) {
            QString text = QStringLiteral("qrn could not set itself up for this user:");
            for (const std::string& error : report.errors)
                text += QLatin1Char('\n') + QString::fromStdString(error);
            QMessageBox::warning(nullptr, QStringLiteral("qrn"), text);
        }
    }

    auto doc = std::make_unique<CqrnDoc>([] { return std::make_unique<Settings>(); });
    auto frame = std::make_unique<CMainFrame>(*doc);
    doc->onNewDocument();
    frame->show();
    const int status = app.exec();
    // The views go before the document; the document stops the search, joins
    // the workers and saves the settings.
    frame.reset();
    doc.reset();
    return status;
}
