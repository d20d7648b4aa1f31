// Brings the targets of a directory (ZeeRex records, one file each or many in
// a folder) into a target list without a window, as the Databases page's
// Import does.
#include <QCoreApplication>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/UserMessage.h"
#include "directory/DirectoryImport.h"
#include "settings/store/Settings.h"
#include "targets/ReplaceExistingFile.h"
#include "targets/TargetList.h"
#include "targets/TargetXml.h"

namespace {

const ProgramUsage kProgram{
    "qrn-import-targets",
    "Usage: qrn-import-targets [OPTION]... PATH...\n"
    "Add the Z39.50 and SRU targets of a directory to a qrn target list. Each PATH\n"
    "is a ZeeRex (Explain) record file, or a folder whose files are such records,\n"
    "as catalogue directories publish them. Each record gives a target named after\n"
    "its primary title, with its address, record syntax and, where the record\n"
    "lists its indexes, the indexes it lacks and what to search instead. New\n"
    "targets are added unticked and tagged \"imported\"; a target the list has\n"
    "(same protocol, host, port and database) is not added again.\n"
    "A record with an unknown protocol, a bad host or port, or no database is\n"
    "refused with one line \"PATH: reason\" on standard error. The last line on\n"
    "standard output reads \"imported N, already there M, refused K\".\n"
    "The list is rewritten only when something was imported.\n"
    "\n"
    "Options:\n"
    "      --targets FILE  add to this target list file instead of the one named\n"
    "                      by the settings\n"
    "  -h, --help          print this help and exit\n"
    "      --version       print the version and exit\n"
    "\n"
    "Exit status: 0 when every PATH was read, 1 when a PATH could not be read or\n"
    "the target list could not be read or written, 2 for a wrong command line.\n"};

}  // namespace

int main(int argc, char** argv) {
    std::string targetFile;
    std::vector<std::string> paths;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--targets") {
            if (++i == argc) return usageError(kProgram, "--targets needs a file");
            targetFile = argv[i];
        } else if (options && arg.rfind("--targets=", 0) == 0) {
            targetFile = arg.substr(10);
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            if (const std::optional<int> status = commonOption(kProgram, arg)) return *status;
            return usageError(kProgram, "unknown option " + arg);
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) return usageError(kProgram, "no PATH given");

    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("QRN"));
    if (targetFile.empty() && Settings::storeExists()) targetFile = Settings::readValues().TargetFile;
    if (targetFile.empty()) {
        std::fprintf(stderr,
                     "qrn-import-targets: no target list: give --targets FILE (no settings at %s)\n",
                     Settings::storeLocation().c_str());
        return 1;
    }
    if (!std::ifstream(targetFile)) {
        std::fprintf(stderr, "qrn-import-targets: cannot read the target list %s\n",
                     targetFile.c_str());
        return 1;
    }
    // The loader speaks only when it could not read the whole list, and a
    // list read in part would lose its tail when written back.
    static bool listTrouble = false;
    setUserMessageSink([](const std::string& text) {
        listTrouble = true;
        std::fprintf(stderr, "qrn-import-targets: %s\n", text.c_str());
    });
    TargetList list;
    if (!list.loadFile(targetFile) || listTrouble) return 1;

    const ImportPlan plan = planImport(paths, keysOfList(list));
    for (const ImportRefusal& refusal : plan.refused)
        std::fprintf(stderr, "%s: %s\n", refusal.path.c_str(), refusal.reason.c_str());
    int status = plan.unreadable ? 1 : 0;
    if (applyImport(list, plan) > 0 && !replaceExistingFile(targetFile, targetListToXml(list))) {
        std::fprintf(stderr, "qrn-import-targets: cannot write the target list %s\n",
                     targetFile.c_str());
        return 1;
    }
    std::printf("imported %zu, already there %zu, refused %zu\n", plan.toAdd.size(),
                plan.alreadyThere.size(), plan.refused.size());
    return status;
}
