// Headless search over the user's targets, for scripted copy cataloguing and
// batch lookups. Same engine and document core as the window program.
#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/UserMessage.h"
#include "engine/BriefLine.h"
#include "engine/DocumentCore.h"
#include "engine/MarcForms.h"
#include "engine/SearchEvent.h"
#include "engine/SearchTexts.h"
#include "query/BatchNumbers.h"
#include "settings/SettingsDefaults.h"
#include "settings/store/Settings.h"

namespace {

std::atomic<bool> interrupted{false};

void onInterrupt(int) { interrupted = true; }

const ProgramUsage kProgram{
    "qrn-search",
    "Usage: qrn-search [OPTION]... PQF\n"
    "  or:  qrn-search [OPTION]... --isbn FILE\n"
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
    "      --connections N       at most N targets at the same time\n"
    "      --isbn FILE           search each ISBN or ISSN of FILE, one a line\n"
    "      --format FORMAT       brief (number, title, author, target, date\n"
    "                            separated by TAB; the default), marc, xml or text\n"
    "      --quiet               no progress on standard error\n"
    "  -h, --help                print this help and exit\n"
    "      --version             print the version and exit\n"
    "\n"
    "Exit status: 0 when the search ran, 1 when it could not start, 2 for a\n"
    "wrong command line.\n"};

int usage(const std::string& problem) { return usageError(kProgram, problem); }

bool parseNumber(const std::string& text, int32_t& value) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < -2147483647L || n > 2147483647L) return false;
    value = static_cast<int32_t>(n);
    return true;
}

struct Options {
    std::string targetFile;
    std::vector<std::string> targetNames;
    bool hasMaxPerTarget = false, hasMaxPerSearch = false, hasConnections = false;
    int32_t maxPerTarget = 0, maxPerSearch = 0, connections = 0;
    std::string isbnFile;
    std::string format = "brief";
    bool quiet = false;
    std::string pqf;
    bool hasPqf = false;
};

// Returns 0 when parsed, else the exit status (2) after a usage message.
int parseArguments(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        auto number = [&](int32_t& out, bool& has) {
            std::string text;
            if (!value(text) || !parseNumber(text, out)) return false;
            has = true;
            return true;
        };
        if (a == "--targets") {
            if (!value(o.targetFile)) return usage("--targets needs a file");
        } else if (a == "--target") {
            std::string name;
            if (!value(name)) return usage("--target needs a name");
            o.targetNames.push_back(name);
        } else if (a == "--max-per-target") {
            if (!number(o.maxPerTarget, o.hasMaxPerTarget))
                return usage("--max-per-target needs a number");
        } else if (a == "--max-per-search") {
            if (!number(o.maxPerSearch, o.hasMaxPerSearch))
                return usage("--max-per-search needs a number");
        } else if (a == "--connections") {
            if (!number(o.connections, o.hasConnections))
                return usage("--connections needs a number");
        } else if (a == "--isbn") {
            if (!value(o.isbnFile)) return usage("--isbn needs a file");
        } else if (a == "--format") {
            if (!value(o.format) || (o.format != "brief" && o.format != "marc" &&
                                     o.format != "xml" && o.format != "text"))
                return usage("--format takes brief, marc, xml or text");
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (const std::optional<int> status = commonOption(kProgram, a)) {
            std::exit(*status);
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return usage("unknown option " + a);
        } else if (!o.hasPqf) {
            o.pqf = a;
            o.hasPqf = true;
        } else {
            return usage("only one query may be given");
        }
    }
    if (o.hasPqf == !o.isbnFile.empty()) return usage("give either a PQF query or --isbn FILE");
    return 0;
}

void writeRecord(Record& r, const std::string& format) {
    if (format == "xml" || format == "text") completeRecordForms(r);
    if (format == "brief") {
        std::cout << r.number << '\t' << briefValue(r.title) << '\t' << briefValue(r.author) << '\t'
                  << briefValue(r.targetName) << '\t' << briefValue(r.date) << '\n';
    } else if (format == "marc") {
        std::cout << r.rawData;
    } else if (format == "xml") {
        std::cout << r.xmlText;
    } else {
        std::cout << r.renderedText;
    }
}

void writeRecords(const DocumentCore& doc, const std::string& format) {
    // A slice at a time: a copy of every record would double what the search holds.
    constexpr size_t kSlice = 256;
    const size_t total = doc.store.count();
    std::vector<int32_t> numbers;
    for (size_t first = 0; first < total; first += kSlice) {
        numbers.clear();
        for (size_t n = first + 1; n <= std::min(total, first + kSlice); ++n)
            numbers.push_back(static_cast<int32_t>(n));
        for (Record& r : doc.store.copyRecords(numbers.data(), numbers.size()))
            writeRecord(r, format);
    }
    std::cout.flush();
}

// Why each failed target failed, a line each: the tree's "(Error)" says only that it did.
void reportFailedTargets(const TargetList& targets) {
    for (const Target& t : targets.targets) {
        if (!t.search.errorFlag) continue;
        std::string error = t.search.lastError();
        while (!error.empty() && (error.back() == '\n' || error.back() == ' ')) error.pop_back();
        std::fprintf(stderr, "qrn-search: %s: %s\n", t.name.c_str(), error.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
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

    if (o.hasPqf) {
        doc.query.compile(o.pqf);
    } else {
        std::ifstream in(o.isbnFile);
        if (!in) {
            std::fprintf(stderr, "qrn-search: cannot read %s\n", o.isbnFile.c_str());
            return 1;
        }
        BatchNumberList numbers;
        std::string line;
        int lineNumber = 0;
        while (std::getline(in, line)) {
            ++lineNumber;
            std::string message;
            if (numbers.addBatchNumber(stripLineEnd(line), message) !=
                BatchNumberList::AddResult::Added)
                std::fprintf(stderr, "qrn-search: %s:%d: %s\n", o.isbnFile.c_str(), lineNumber,
                             message.c_str());
        }
        doc.query.batchList = numbers.queries();
        doc.query.batch = true;
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
    writeRecords(doc, o.format);
    return 0;
}
