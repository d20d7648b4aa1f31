// Headless search over the user's targets, for scripted copy cataloguing and
// batch lookups. Same engine and document core as the window program.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/UserMessage.h"
#include "records/BriefLine.h"
#include "copies/CopyGroupLines.h"
#include "copies/CopyGrouping.h"
#include "document/DocumentCore.h"
#include "records/MarcForms.h"
#include "search/ScanTargets.h"
#include "search/SearchEvent.h"
#include "search/SearchTexts.h"
#include "probe/TargetCheck.h"
#include "export/StreamRecords.h"
#include "query/BatchFileReader.h"
#include "query/BatchNumbers.h"
#include "query/BatchReport.h"
#include "settings/SettingsDefaults.h"
#include "settings/store/Settings.h"

namespace {

std::atomic<bool> interrupted{false};

void onInterrupt(int) { interrupted = true; }

// Each step of a probe waits at most this long.
constexpr int kProbeSeconds = 10;

const ProgramUsage kProgram{
    "qrn-search",
    "Usage: qrn-search [OPTION]... PQF\n"
    "  or:  qrn-search [OPTION]... --isbn FILE\n"
    "  or:  qrn-search [OPTION]... --scan PQF\n"
    "Search the user's Z39.50 targets the way qrn does, without a window: the\n"
    "targets ticked in the target list named by the settings (or by --targets),\n"
    "with the settings' limits. Writes the records found to standard output and\n"
    "each target's progress to standard error. PQF is a query in the Prefix Query\n"
    "Format, for example: @attr 1=4 lighthouse\n"
    "\n"
    "Options:\n"
    "      --targets FILE        search the targets of this target list file\n"
    "      --target NAME         search the target of this name (repeatable)\n"
    "      --max-per-target N    retrieve at most N records from each target\n"
    "      --max-per-search N    stop once more than N records came in\n"
    "      --connections N       at most N targets (2 to 10) at the same time\n"
    "      --isbn FILE           search each ISBN or ISSN of FILE, one a line, and\n"
    "                            end with a line per number on standard error:\n"
    "                            number, found/not found/error, records, targets\n"
    "      --format FORMAT       brief (number, title, author, target, date\n"
    "                            separated by TAB; the default), marc, mrk (MARC\n"
    "                            text), xml, text or groups (copies of one book\n"
    "                            together: group, reason, target, title; the best\n"
    "                            copy first)\n"
    "      --encoding ENCODING   marc records as-received (the default) or utf-8\n"
    "      --quiet               no progress on standard error\n"
    "      --scan PQF            search nothing: list the terms of the index of PQF's\n"
    "                            use attribute from its term, as lines \"target TAB\n"
    "                            term TAB count\" for each selected target\n"
    "      --scan-number N       list N terms of each target (default 20)\n"
    "      --probe               search nothing: probe each target instead and print,\n"
    "                            TAB-separated, a line per target and index (name,\n"
    "                            use attribute, index, supported, unsupported\n"
    "                            (diagnostic N), unknown (diagnostic N: one that\n"
    "                            says nothing of the index) or no answer), then one\n"
    "                            with the round trip (\"12 ms\" or \"no answer\") and\n"
    "                            the record syntaxes (or the error)\n"
    "  -h, --help                print this help and exit\n"
    "      --version             print the version and exit\n"
    "\n"
    "Exit status: 0 when the search ran, 1 when it could not start, 2 for a\n"
    "wrong command line.\n"};

int usage(const std::string& problem) { return usageError(kProgram, problem); }

struct Options {
    std::string targetFile;
    std::vector<std::string> targetNames;
    bool hasMaxPerTarget = false, hasMaxPerSearch = false, hasConnections = false;
    int32_t maxPerTarget = 0, maxPerSearch = 0, connections = 0;
    std::string isbnFile;
    std::string format = "brief";
    std::string encoding = "as-received";
    bool quiet = false;
    bool probe = false;
    std::string scan;  // --scan's query
    bool hasScan = false, hasScanNumber = false;
    int32_t scanNumber = 20;
    std::string pqf;
    bool hasPqf = false;
};

// Returns 0 when parsed, else the exit status (2) after a usage message.
int parseArguments(int argc, char** argv, Options& o) {
    bool operandsOnly = false;  // after "--": a query may start with '-'
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        auto number = [&](int32_t& out, bool& has) {
            std::string text;
            if (!value(text) || !parseNumber(text, out) || out < 0) return false;
            has = true;
            return true;
        };
        if (operandsOnly || a.size() < 2 || a[0] != '-') {
            if (o.hasPqf) return usage("only one query may be given");
            o.pqf = a;
            o.hasPqf = true;
        } else if (a == "--targets") {
            if (!value(o.targetFile)) return usage("--targets needs a file");
        } else if (a == "--target") {
            std::string name;
            if (!value(name)) return usage("--target needs a name");
            o.targetNames.push_back(name);
        } else if (a == "--max-per-target") {
            if (!number(o.maxPerTarget, o.hasMaxPerTarget))
                return usage("--max-per-target needs a number of 0 or more");
        } else if (a == "--max-per-search") {
            if (!number(o.maxPerSearch, o.hasMaxPerSearch))
                return usage("--max-per-search needs a number of 0 or more");
        } else if (a == "--connections") {
            // The pool runs 2 to 10 workers and would keep its limit for any other number.
            if (!number(o.connections, o.hasConnections) || o.connections < 2 || o.connections > 10)
                return usage("--connections takes a number from 2 to 10");
        } else if (a == "--isbn") {
            if (!value(o.isbnFile) || isFolder(o.isbnFile)) return usage("--isbn needs a file");
        } else if (a == "--format") {
            if (!value(o.format) ||
                (o.format != "brief" && o.format != "marc" && o.format != "mrk" &&
                 o.format != "xml" && o.format != "text" && o.format != "groups"))
                return usage("--format takes brief, marc, mrk, xml, text or groups");
        } else if (a == "--encoding") {
            if (!value(o.encoding) || (o.encoding != "as-received" && o.encoding != "utf-8"))
                return usage("--encoding takes as-received or utf-8");
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--scan") {
            if (!value(o.scan)) return usage("--scan needs a PQF query");
            o.hasScan = true;
        } else if (a == "--scan-number") {
            if (!number(o.scanNumber, o.hasScanNumber) || o.scanNumber < 1)
                return usage("--scan-number needs a number of 1 or more");
        } else if (a == "--probe") {
            o.probe = true;
        } else if (const std::optional<int> status = commonOption(kProgram, a)) {
            std::exit(*status);
        } else if (a == "--") {
            operandsOnly = true;
        } else {
            return usage("unknown option " + a);
        }
    }
    if (o.probe && (o.hasPqf || !o.isbnFile.empty() || o.hasScan))
        return usage("--probe takes no query");
    if (o.hasScan && (o.hasPqf || !o.isbnFile.empty())) return usage("--scan takes no other query");
    if (o.hasScan) return 0;
    if (!o.probe && o.hasPqf == !o.isbnFile.empty()) return usage("give either a PQF query or --isbn FILE");
    return 0;
}

// Why each failed target failed, a line each: the tree's "(Error)" says only that it did.
void reportFailedTargets(const TargetList& targets) {
    for (const Target& t : targets.targets) {
        const std::string note = t.search.note();
        for (size_t begin = 0, end; begin < note.size(); begin = end + 1) {
            end = note.find('\n', begin);
            if (end == std::string::npos) end = note.size();
            std::fprintf(stderr, "qrn-search: %s: %s\n", t.name.c_str(),
                         note.substr(begin, end - begin).c_str());
        }
        if (!t.search.errorFlag) continue;
        std::string error = t.search.lastError();
        while (!error.empty() && (error.back() == '\n' || error.back() == ' ')) error.pop_back();
        std::fprintf(stderr, "qrn-search: %s: %s\n", t.name.c_str(), error.c_str());
    }
}

// Each selected target probed, within the connection limit, in list order.
int probeSelected(const DocumentCore& doc) {
    std::vector<Target> selected;
    for (const Target& t : doc.targetList.targets)
        if (t.active) selected.push_back(t);
    const std::vector<ProbeReport> reports = probeTargets(
        selected, doc.settings->MaxConnections, kProbeSeconds, [] { return interrupted.load(); });
    for (size_t i = 0; i < selected.size(); ++i)
        std::cout << probeLines(selected[i].name, reports[i]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A closed standard output would be taken over by the next file opened.
    if (::fcntl(STDOUT_FILENO, F_GETFD) < 0) {
        std::fprintf(stderr, "qrn-search: cannot write the records: %s\n", std::strerror(errno));
        return 1;
    }
    QCoreApplication app(argc, argv);
    Options o;
    if (const int status = parseArguments(argc, argv, o)) return status;

    // Messages raised on worker threads (bad records, bad patterns) go to
    // standard error, one line each.
    setUserMessageSink(
        [](const std::string& text) { std::fprintf(stderr, "qrn-search: %s\n", text.c_str()); });

    const bool haveStore = Settings::storeExists();
    DocumentCore doc([&] {
        auto values = std::make_unique<SettingsData>(
            haveStore ? Settings::readValues() : freshInstallationSettings(std::string()));
        if (o.hasMaxPerTarget) values->MaxRecPerTarget = o.maxPerTarget;
        if (o.hasMaxPerSearch) values->MaxRecPerSearch = o.maxPerSearch;
        if (o.hasConnections) values->MaxConnections = o.connections;
        if (!o.targetFile.empty()) values->TargetFile = o.targetFile;
        return values;
    });
    if (doc.settings->TargetFile.empty()) {
        std::fprintf(stderr,
                     "qrn-search: no target list: give --targets FILE (no settings at %s)\n",
                     Settings::storeLocation().c_str());
        return 1;
    }
    {
        std::ifstream probe(doc.settings->TargetFile);
        if (!probe) {
            std::fprintf(stderr, "qrn-search: cannot read the target list %s\n",
                         doc.settings->TargetFile.c_str());
            return 1;
        }
    }
    doc.newDocument();

    if (!o.targetNames.empty()) {
        const std::set<std::string> wanted(o.targetNames.begin(), o.targetNames.end());
        std::set<std::string> found;
        for (Target& t : doc.targetList.targets) {
            t.active = wanted.count(t.name) > 0;
            if (t.active) found.insert(t.name);
        }
        for (const std::string& name : wanted) {
            if (!found.count(name)) {
                std::fprintf(stderr, "qrn-search: no target named \"%s\" in %s\n", name.c_str(),
                             doc.settings->TargetFile.c_str());
                return 1;
            }
        }
    }
    int active = 0;
    for (const Target& t : doc.targetList.targets) active += t.active ? 1 : 0;
    if (active == 0) {
        std::fprintf(stderr, "qrn-search: no target is selected in %s\n",
                     doc.settings->TargetFile.c_str());
        return 1;
    }

    if (o.probe || o.hasScan) {
        std::signal(SIGINT, onInterrupt);
        if (o.probe) return probeSelected(doc);
        const ScanReport scanned = scanActiveTargets(doc.targetList.targets, *doc.settings, o.scan,
                                                     o.scanNumber, [] { return interrupted.load(); });
        std::cout << scanned.lines;
        if (!o.quiet) std::fputs(scanned.failures.c_str(), stderr);
        return 0;
    }
    if (o.hasPqf) {
        doc.query.compile(o.pqf);
    } else {
        std::ifstream in(o.isbnFile);
        if (!in) {
            std::fprintf(stderr, "qrn-search: cannot read %s\n", o.isbnFile.c_str());
            return 1;
        }
        BatchNumberList numbers;
        for (const RefusedLine& refused : addBatchNumbersFrom(in, numbers))
            std::fprintf(stderr, "qrn-search: %s:%d: %s\n", o.isbnFile.c_str(), refused.line,
                         refused.message.c_str());
        useBatchNumbers(numbers, doc.query);
        // Told above as they were read; the report stays a line per number searched.
        doc.query.batchRefused.clear();
    }

    SearchEventQueue events;
    doc.search.setEventSink(&events);
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    doc.search.startSearch();
    bool stopped = false;
    for (;;) {
        if (interrupted && !stopped) {
            doc.search.stopSearch();
            stopped = true;
        }
        SearchEventHint event;
        // A short wait: the end is only seen on a timeout, so a long one would
        // idle after the last worker finished.
        if (events.waitNext(event, 10)) {
            doc.handleSearchEvent(event.code, event.targetId);
            if (!o.quiet) {
                for (const Target& t : doc.targetList.targets)
                    if (t.id == event.targetId)
                        std::fprintf(stderr, "%s\n", targetStatusText(t).c_str());
            }
            continue;
        }
        if (doc.searchSettled()) break;
    }
    const std::string progress = doc.search.updateTotals();
    if (!o.quiet) {
        reportFailedTargets(doc.targetList);
        std::fprintf(stderr, "%s\n", progress.c_str());
    }
    const int writeError = writeRecords(doc, o.format, o.encoding, std::cout);
    // What was found where, after the records: the last thing a script reads.
    if (!o.isbnFile.empty()) std::fputs(batchReportLines(batchReportOf(doc)).c_str(), stderr);
    if (writeError) {
        std::fprintf(stderr, "qrn-search: cannot write the records: %s\n", std::strerror(writeError));
        return 1;
    }
    return 0;
}
