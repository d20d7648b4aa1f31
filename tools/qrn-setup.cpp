// What an installer does once per user: creates the settings store with the
// fresh-installation values and puts the default target list in place. Never
// overwrites what the user already has.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "settings/store/UserSetup.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("QRN"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: qrn-setup DATA_DIR\n"
                             "  DATA_DIR holds the shipped targets.xml and stylesheets\n");
        return 2;
    }
    const UserSetupReport report = setUpUser(argv[1]);
    for (const std::string& note : report.notes) std::printf("%s\n", note.c_str());
    for (const std::string& error : report.errors)
        std::fprintf(stderr, "qrn-setup: %s\n", error.c_str());
    return report.ok ? 0 : 1;
}
