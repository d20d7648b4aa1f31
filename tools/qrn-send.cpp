// Headless sending of ISO 2709 records into the library's own catalogue,
// with the same duplicate check and report as the window program.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/UserMessage.h"
#include "export/MarcExportForm.h"
#include "marc/Iso2709Splitter.h"
#include "records/BriefLine.h"
#include "search/TargetConnections.h"
#include "send/CatalogueSender.h"
#include "settings/SettingsDefaults.h"
#include "settings/store/Settings.h"
#include "targets/TargetList.h"

namespace {

std::atomic<bool> interrupted{false};

void onInterrupt(int) { interrupted = true; }

const ProgramUsage kProgram{
    "qrn-send",
    "Usage: qrn-send [--targets FILE] --to NAME [--replace] FILE...\n"
    "Send the MARC records of the ISO 2709 files into the library's own catalogue,\n"
    "the target NAME of the target list, by Extended Services Update. Each record\n"
    "is first looked for there by its identifiers (001, ISBN, ISSN, LCCN, OCLC\n"
    "number); one found is not sent again. The Options' export clean-up tags are\n"
    "left out of what is sent. Writes a line per record to standard output:\n"
    "number, title and result separated by TAB, the result being \"inserted\",\n"
    "\"replaced ID\", \"already there ID\" or \"refused (diagnostic N: text)\".\n"
    "\n"
    "Options:\n"
    "      --targets FILE        the target list file (default: the settings')\n"
    "      --to NAME             the catalogue's target name\n"
    "      --replace             replace a record found in the catalogue, keeping\n"
    "                            its 001, instead of leaving it\n"
    "  -h, --help                print this help and exit\n"
    "      --version             print the version and exit\n"
    "\n"
    "Exit status: 0 when every record got an answer, 1 when the catalogue could\n"
    "not be reached or refused the login, 2 for a wrong command line.\n"};

int usage(const std::string& problem) { return usageError(kProgram, problem); }

struct Options {
    std::string targetFile;
    std::string to;
    bool replace = false;
    std::vector<std::string> files;
};

int parseArguments(int argc, char** argv, Options& o) {
    bool operandsOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (!operandsOnly && (a == "--targets" || a == "--to")) {
            if (i + 1 >= argc) return usage(a + " needs a value");
            (a == "--to" ? o.to : o.targetFile) = argv[++i];
        } else if (!operandsOnly && a == "--replace") {
            o.replace = true;
        } else if (const std::optional<int> status =
                       operandsOnly ? std::nullopt : commonOption(kProgram, a)) {
            std::exit(*status);
        } else if (a == "--" && !operandsOnly) {
            operandsOnly = true;
        } else if (a.size() > 1 && a[0] == '-' && !operandsOnly) {
            return usage("unknown option " + a);
        } else {
            o.files.push_back(a);
        }
    }
    if (o.to.empty()) return usage("--to names the catalogue to send to");
    if (o.files.empty()) return usage("give at least one ISO 2709 file");
    return 0;
}

int fail(const std::string& text) {
    std::fprintf(stderr, "qrn-send: %s\n", text.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (const int status = parseArguments(argc, argv, o)) return status;
    setUserMessageSink(
        [](const std::string& text) { std::fprintf(stderr, "qrn-send: %s\n", text.c_str()); });

    const SettingsData settings = Settings::storeExists()
                                      ? Settings::readValues()
                                      : freshInstallationSettings(std::string());
    const std::string targetFile = o.targetFile.empty() ? settings.TargetFile : o.targetFile;
    if (targetFile.empty()) return fail("no target list: give --targets FILE");
    TargetList list;
    if (!list.loadFile(targetFile)) return fail("cannot read the target list " + targetFile);
    const Target* home = nullptr;
    for (const Target& t : list.targets)
        if (t.name == o.to) home = &t;
    if (!home) return fail("no target named \"" + o.to + "\" in " + targetFile);

    std::vector<std::string> records;
    for (const std::string& file : o.files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return fail("cannot read " + file);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        for (std::string_view record : splitIso2709(bytes)) records.emplace_back(record);
    }

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    const auto stop = [] { return interrupted.load(); };
    auto connection = connectionFor(*home, settings, stop);
    CatalogueSender sender(*connection, home->profile, marcExportOptions(settings).drop);
    if (!sender.connect()) return fail(o.to + ": " + sender.failureText());
    size_t answered = 0;
    sendRecords(
        sender, records,
        [&](size_t, const CatalogueMatch&) {
            return o.replace ? MatchChoice::Overlay : MatchChoice::Skip;
        },
        [&](size_t index, const SendReport& report) {
            if (report.kind != SendReport::Kind::NotSent) ++answered;
            std::cout << index + 1 << '\t' << briefValue(report.title) << '\t'
                      << sendResultText(report) << '\n'
                      << std::flush;
        },
        stop);
    if (sender.broken()) return fail(o.to + ": " + sender.failureText());
    return answered == records.size() ? 0 : 1;
}
