#include "protocol/z3950/Z3950Probe.h"

#include <yaz/zoom.h>

#include <chrono>
#include <string>

#include "protocol/UseAttributes.h"
#include "protocol/z3950/Z3950Connection.h"
#include "protocol/z3950/ZoomEventPump.h"
#include "targets/Target.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string zoomError(ZOOM_connection connection) {
    const char* message = nullptr;
    const char* addinfo = nullptr;
    const int code = ZOOM_connection_error(connection, &message, &addinfo);
    if (code == 0) return std::string();
    return std::string(message ? message : "") + " (" + std::to_string(code) + ") " +
           (addinfo ? addinfo : "");
}

std::string optionOrDash(ZOOM_connection connection, const char* name) {
    const char* value = ZOOM_connection_option_get(connection, name);
    return value && *value ? value : "-";
}

// A term each index takes without complaint: words for the text indexes,
// digits for the numbers.
std::string probeTerm(int use) {
    switch (use) {
        case 30:
        case 31:
            return "2000";
        case 7:
        case 8:
        case 9:
        case 12:
        case 1007:
            return "1";
        default:
            return kProbeWord;
    }
}

// The init's option bits the toolkit reports, as the standard names them.
const char* const kInitOptions[] = {"search",
                                    "present",
                                    "delSet",
                                    "scan",
                                    "sort",
                                    "extendedServices",
                                    "namedResultSets",
                                    "concurrentOperations",
                                    "negotiationModel",
                                    "duplicationDetection"};

// Syntaxes and element sets a present is tried with.
const char* const kSyntaxes[] = {"usmarc", "unimarc", "xml", "sutrs", "opac", "grs-1"};
const char* const kElementSets[] = {"F", "B"};

class ZoomProbe {
public:
    ZoomProbe(const Target& target, int timeoutSeconds, const std::function<bool()>& cancelled)
        : timeout_(std::to_string(timeoutSeconds)), cancelled_(cancelled) {
        options_ = ZOOM_options_create();
        ZOOM_options_set(options_, "implementationName", z3950ImplementationName());
        ZOOM_options_set(options_, "timeout", timeout_.c_str());
        ZOOM_options_set(options_, "async", "1");
        if (!target.username.empty()) {
            ZOOM_options_set(options_, "user", target.username.c_str());
            ZOOM_options_set(options_, "pass", target.password.c_str());
        }
        if (!target.profile.proxy.empty())
            ZOOM_options_set(options_, "proxy", target.profile.proxy.c_str());
        connection_ = ZOOM_connection_create(options_);
    }
    ~ZoomProbe() {
        if (results_) ZOOM_resultset_destroy(results_);
        ZOOM_connection_destroy(connection_);
        ZOOM_options_destroy(options_);
    }

    ZOOM_connection connection() const { return connection_; }
    bool cancelled() const { return cancelled_flag_; }

    // Runs the connection's events until idle; false when cancelled.
    bool pump() {
        const auto stop = [this] { return cancelled_ && cancelled_(); };
        for (;;) {
            switch (pumpZoomEvent(connection_, stop)) {
                case PumpResult::Stopped:
                    cancelled_flag_ = true;
                    return false;
                case PumpResult::Idle:
                    return true;
                case PumpResult::Event:
                    break;
            }
        }
    }

    bool connect(const std::string& zurl) {
        zurl_ = zurl;
        ZOOM_connection_connect(connection_, zurl.c_str(), 0);
        return pump();
    }

    // A search without records; false when cancelled.
    bool search(const std::string& pqf) {
        // A timeout closes the connection, and the toolkit answers a search on
        // a closed one with nothing at all, which would read as success.
        if (ZOOM_connection_get_socket(connection_) < 0 && !connect(zurl_)) return false;
        if (results_) ZOOM_resultset_destroy(results_);
        ZOOM_connection_option_set(connection_, "count", "0");
        ZOOM_query query = ZOOM_query_create();
        ZOOM_query_prefix(query, pqf.c_str());
        results_ = ZOOM_connection_search(connection_, query);
        ZOOM_query_destroy(query);
        return pump();
    }
    size_t hits() const { return results_ ? ZOOM_resultset_size(results_) : 0; }

    // The first record in syntax and element set; true when one came, no
    // diagnostic in its place.
    bool present(const char* syntax, const char* elementSet) {
        if (!results_ || hits() == 0) return false;
        ZOOM_resultset_option_set(results_, "preferredRecordSyntax", syntax);
        ZOOM_resultset_option_set(results_, "elementSetName", elementSet);
        ZOOM_resultset_records(results_, nullptr, 0, 1);
        if (!pump() || ZOOM_connection_error(connection_, nullptr, nullptr)) return false;
        ZOOM_record record = ZOOM_resultset_record_immediate(results_, 0);
        if (!record || ZOOM_record_error(record, nullptr, nullptr, nullptr)) return false;
        int length = 0;
        return ZOOM_record_get(record, "raw", &length) && length > 0;
    }

private:
    std::string timeout_;
    std::string zurl_;
    const std::function<bool()>& cancelled_;
    bool cancelled_flag_ = false;
    ZOOM_options options_ = nullptr;
    ZOOM_connection connection_ = nullptr;
    ZOOM_resultset results_ = nullptr;
};

// Bib-1 unsupported attribute type (113), use attribute (114), use
// attribute required (116).
bool rejectsUseAttribute(const std::string& set, int code) {
    return set == "Bib-1" && (code == 113 || code == 114 || code == 116);
}

IndexProbe probeIndex(ZoomProbe& probe, int use) {
    IndexProbe index;
    index.use = use;
    if (!probe.search("@attr 1=" + std::to_string(use) + " " + probeTerm(use))) return index;
    const char* message = nullptr;
    const char* addinfo = nullptr;
    const int code = ZOOM_connection_error(probe.connection(), &message, &addinfo);
    const char* set = ZOOM_connection_diagset(probe.connection());
    if (code == 0) {
        index.support = IndexSupport::Supported;
    } else if (set && std::string(set) != "ZOOM") {
        // The toolkit's own codes mean the answer never came. Of the server's,
        // only those about the index itself say it is missing.
        index.support = rejectsUseAttribute(set, code) ? IndexSupport::Unsupported
                                                       : IndexSupport::Unknown;
        index.diagnostic = code;
    }
    return index;
}

}  // namespace

ProbeReport probeZ3950(const Target& target, int timeoutSeconds,
                       const std::function<bool()>& cancelled) {
    ProbeReport report;
    ZoomProbe probe(target, timeoutSeconds, cancelled);
    const Clock::time_point start = Clock::now();
    const bool connected = probe.connect(target.zurl);
    const std::string initError = zoomError(probe.connection());
    if (!connected) {
        report.error = "Cancelled";
        report.text = report.error + "\n";
        return report;
    }
    if (!initError.empty()) {
        report.error = "Connection or init failed: " + initError;
        report.text = report.error + "\n";
        return report;
    }
    report.roundTripMs = msSince(start);
    std::string options;
    for (const char* name : kInitOptions) {
        const char* value = ZOOM_connection_option_get(probe.connection(),
                                                       ("init_opt_" + std::string(name)).c_str());
        if (value && *value) options += (options.empty() ? "" : " ") + std::string(name);
    }
    report.text = "Init: accepted\nImplementation: " +
                  optionOrDash(probe.connection(), "serverImplementationName") +
                  "\nVersion: " + optionOrDash(probe.connection(), "serverImplementationVersion") +
                  "\nOptions: " + (options.empty() ? "-" : options) +
                  "\nRound trip: " + std::to_string(report.roundTripMs) + " ms\n";

    // The title search first: its hits give the record to present.
    if (!probe.search(std::string("@attr 1=4 ") + kProbeWord)) return report;
    const std::string searchError = zoomError(probe.connection());
    if (searchError.empty()) {
        report.ok = true;
        report.text += "Search for \"" + std::string(kProbeWord) +
                       "\" in titles: " + std::to_string(probe.hits()) + " hits\n";
    } else {
        report.text += "Search for \"" + std::string(kProbeWord) +
                       "\" in titles failed: " + searchError + "\n";
    }
    if (probe.hits() == 0) probe.search(std::string("@attr 1=1016 ") + kProbeWord);
    // Some databases serve a syntax only with element sets of their own (XML
    // as "marcxml" or "dc"): the target's set and none are tried besides F.
    std::vector<std::string> sets = {"F"};
    if (!target.elementsetname.empty() && target.elementsetname != "F")
        sets.push_back(target.elementsetname);
    sets.push_back(std::string());
    for (const char* syntax : kSyntaxes) {
        for (const std::string& set : sets) {
            const bool answered = probe.present(syntax, set.c_str());
            if (probe.cancelled()) return report;
            if (answered) {
                report.syntaxes.push_back(syntax);
                break;
            }
        }
    }
    if (!report.syntaxes.empty()) {
        std::vector<std::string> named(std::begin(kElementSets), std::end(kElementSets));
        if (sets.size() > 2 && sets[1] != "B") named.push_back(sets[1]);
        for (const std::string& set : named)
            if (probe.present(report.syntaxes.front().c_str(), set.c_str()))
                report.elementSets.push_back(set);
    }
    report.text += "Record syntaxes: " + probeList(report.syntaxes) +
                   "\nElement sets: " + probeList(report.elementSets) + "\n";

    for (int use : commonUseAttributes()) {
        report.indexes.push_back(probeIndex(probe, use));
        if (probe.cancelled()) {
            report.indexes.pop_back();
            return report;
        }
        report.text +=
            useAttributeName(use) + ": " + indexSupportText(report.indexes.back()) + "\n";
    }
    return report;
}

