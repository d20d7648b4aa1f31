// What a probe of a target found, whatever the protocol: each protocol's
// connection fills it (TargetConnection::probe).
#pragma once

#include <chrono>
#include <string>
#include <vector>

// Unknown: the server answered with a diagnostic that says nothing of the
// index (a stop word, a database unavailable), so nothing is learned.
enum class IndexSupport { Supported, Unsupported, NoAnswer, Unknown };

struct IndexProbe {
    int use = 0;
    IndexSupport support = IndexSupport::NoAnswer;
    // The server's diagnostic when it rejected the search; 0 when it gave none.
    int diagnostic = 0;
};

struct ProbeReport {
    // The server answered as a server of its kind.
    bool ok = false;
    // Lines for the user, each ending with a line feed.
    std::string text;
    // Why the target could not be probed; empty when it could.
    std::string error;
    // SRU: the schemas Explain lists, to pick from.
    std::vector<std::string> schemas;
    // One per common use attribute, in their order; empty when not learned.
    std::vector<IndexProbe> indexes;
    // Record syntaxes (Z39.50) or schemas (SRU) that answered, and element sets.
    std::vector<std::string> syntaxes;
    std::vector<std::string> elementSets;
    // The init's (SRU: Explain's) round trip; -1 when there was none.
    int roundTripMs = -1;
    // A scan of the title index listed a term.
    bool scans = false;
    // "supported", or why a scan failed; empty when none was tried.
    std::string scanNote;
};

// "supported", "unsupported (diagnostic N)", "unsupported", "unknown
// (diagnostic N)" or "no answer".
std::string indexSupportText(const IndexProbe& index);

// The word the Z39.50 test searches for in titles.
extern const char* const kProbeWord;

// "a, b, c", or "-" for none: the probe's lists as its lines show them.
std::string probeList(const std::vector<std::string>& items);

// Milliseconds since start, for the round trip a probe reports.
int msSince(std::chrono::steady_clock::time_point start);
