// What an installer does once per user: creates the settings store with the
// fresh-installation values and puts the default target list in place. Never
// overwrites what the user already has.
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "settings/store/UserSetup.h"

namespace {

const ProgramUsage kProgram{
    "qrn-setup",
    "Usage: qrn-setup [OPTION]... DATA_DIR\n"
    "Set up qrn for the current user as an installer would: create the settings\n"
    "store with the values of a fresh installation and copy the shipped target\n"
    "list into the user's data folder. What the user already has is kept.\n"
    "DATA_DIR is the folder of the shipped targets.xml and stylesheets, share/qrn\n"
    "under the installation prefix (/usr/share/qrn for the Debian package).\n"
    "qrn does the same by itself when it starts for the first time.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Exit status: 0 when the user is set up, 1 when something could not be\n"
    "created, 2 for a wrong command line.\n"};

}  // namespace

int main(int argc, char** argv) {
    // Every argument is looked at before anything is created: a mistyped
    // option must not end up as the data folder of a new store.
    std::vector<std::string> operands;
    if (const std::optional<int> status = parseOperands(kProgram, argc, argv, operands))
        return *status;
    if (operands.size() > 1) return usageError(kProgram, "only one DATA_DIR may be given");
    const std::string dataDir = operands.empty() ? std::string() : operands.front();
    if (dataDir.empty()) return usageError(kProgram, "no DATA_DIR given");

    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("QRN"));
    const UserSetupReport report = setUpUser(dataDir);
    for (const std::string& note : report.notes) std::printf("%s\n", note.c_str());
    for (const std::string& error : report.errors)
        std::fprintf(stderr, "qrn-setup: %s\n", error.c_str());
    return report.ok ? 0 : 1;
}
