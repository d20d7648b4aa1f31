// What a target supports: does the address answer, what the server says of
// itself, which of the common indexes it searches, which record syntaxes and
// element sets it returns, and how long an answer takes. Z39.50: the init,
// one search per index and a one-record present per syntax; SRU: the Explain
// record, its indexes read back as Bib-1 use attributes.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Target;
struct TargetProfile;

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

// Any thread but the UI's: blocks, each step at most about timeoutSeconds.
// cancelled, when given, is asked often; once it answers true the probe
// returns at once with what it has.
ProbeReport probeTarget(const Target& target, int timeoutSeconds,
                        const std::function<bool()>& cancelled = {});

// "supported", "unsupported (diagnostic N)", "unsupported", "unknown
// (diagnostic N)" or "no answer".
std::string indexSupportText(const IndexProbe& index);

// The word the Z39.50 test searches for in titles.
extern const char* const kProbeWord;

// What a probe teaches a profile: the unsupported indexes, each with a
// replacement the target did support (Identifier--standard: ISBN, else Any;
// the rest: Any) unless the profile names one already. Other fields stay.
void learnFromProbe(TargetProfile& profile, const ProbeReport& report);
