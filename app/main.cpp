// The window program. Start-up: the command line, the application, the
// first-run set-up where no installer ran, the document with its frame and
// views, the new-document step, then the window. Windows' common controls,
// OLE and the recent-file list have no counterpart here.
#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CqrnDoc.h"
#include "app/FirstRun.h"
#include "app/ShippedData.h"
#include "base/CommandLine.h"
#include "base/Version.h"
#include "settings/store/Settings.h"

namespace {

const ProgramUsage kProgram{
    "qrn",
    "Usage: qrn [OPTION]...\n"
    "Search library catalogues that speak Z39.50: tick the catalogue servers\n"
    "(targets) to ask, write a query, and read one merged list of the records\n"
    "found, with every target's progress beside it. Records are shown as HTML and\n"
    "can be exported to MARC, text or XML files, through an XSL stylesheet, or\n"
    "into an SQL database. Help > Contents in the window opens the manual.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Qt's own options (-platform, -style and the like) are taken as well.\n"};

}  // namespace

int main(int argc, char** argv) {
    // Help and version need no display, so they come before the application.
    for (int i = 1; i < argc; ++i)
        if (const std::optional<int> status = commonOption(kProgram, argv[i])) return *status;

    QApplication app(argc, argv);
    // What is left once Qt has taken its own options is a mistake.
    std::vector<std::string> operands;
    if (const std::optional<int> status = parseOperands(kProgram, argc, argv, operands))
        return *status;
    if (!operands.empty()) return usageError(kProgram, "unexpected argument " + operands.front());

    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("QRN"));
    QApplication::setApplicationDisplayName(QStringLiteral("qrn"));
    QApplication::setApplicationVersion(QString::fromLatin1(qrnVersion()));
    QApplication::setDesktopFileName(QStringLiteral("qrn"));

    if (!setUpFirstRun(shippedDataDir())) return 1;

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
