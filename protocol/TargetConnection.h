// A connection to one target for one search task, whatever the protocol:
// each protocol's folder implements it once, and the flow of a search knows
// only this. Worker thread that owns it only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "protocol/ProbeReport.h"
#include "records/Record.h"

// What failed last, worded for the user; text is empty when nothing did.
struct ConnectionFailure {
    std::string text;
    // The target refused the query's index (Bib-1 114, SRU 16); indexInfo
    // is what it said of it.
    bool indexRejected = false;
    std::string indexInfo;
    // The server's Bib-1 diagnostic, 0 for any other failure.
    int bib1Diagnostic = 0;
};

// The records of one server position, in order. skipped: the server sent a
// diagnostic in the record's place.
struct FetchedRecords {
    int32_t position = 0;
    std::vector<Record> records;
    bool skipped = false;
};

// How a record goes into a catalogue: as a new one, or in place of the one
// with the same local number.
enum class UpdateAction { Insert, Replace };

// What a catalogue answered to one record sent to it.
struct UpdateOutcome {
    enum class Kind {
        Done,         // the catalogue keeps the record
        Refused,      // this record was refused; diagnostic and text say why
        Failed,       // the catalogue could not be reached or refused the login
        Stopped,      // stopped before the catalogue answered
        Unsupported,  // the catalogue takes no records this way
    };
    Kind kind = Kind::Failed;
    int diagnostic = 0;
    std::string text;  // the server's own words where it gave any
};

enum class FetchEnd {
    Done,         // every record asked for came
    Stopped,      // stopped, or take said no more
    Failed,       // failure() says why
    Unavailable,  // the server sent nothing more, without saying why
};

// One term of an index as a scan lists it, in UTF-8. raw is what a scan or
// search for it sends; display may be dressed up for the eye.
struct ScanTerm {
    std::string display;
    std::string raw;
    int64_t count = -1;  // -1: the server gave none
};

// The terms of one scan in index order; failure says why none came.
struct ScanAnswer {
    std::vector<ScanTerm> terms;
    std::string failure;
};

class TargetConnection {
public:
    using TakeRecords = std::function<bool(FetchedRecords&& fetched)>;

    virtual ~TargetConnection() = default;

    // Opens the connection. false when it failed (failure()) or was stopped.
    virtual bool connect() = 0;
    // Sends one query; first is the first record the task will fetch.
    // false when it failed (failure()) or was stopped.
    virtual bool search(const std::string& pqf, int32_t first) = 0;
    // The hits of the last search that succeeded.
    virtual int64_t hits() const = 0;
    // Hands the records of positions [first, end) to take in order, each as
    // soon as it is in.
    virtual FetchEnd fetch(int32_t first, int32_t end, const TakeRecords& take) = 0;
    virtual const ConnectionFailure& failure() const = 0;
    // What the target supports, each step waiting at most about
    // timeoutSeconds; needs no connect() first.
    virtual ProbeReport probe(int timeoutSeconds) = 0;
    // Lists number terms of the index of pqf's use attribute around its
    // term, which stands at position (from 1) when the index holds it.
    // Needs no connect() first.
    virtual ScanAnswer scan(const std::string& pqf, int32_t number, int32_t position);
    // Sends one ISO 2709 record into the catalogue and makes it stay there;
    // connects first when needed. Targets that take no records say so.
    virtual UpdateOutcome update(const std::string& iso2709, UpdateAction action) {
        (void)iso2709;
        (void)action;
        UpdateOutcome outcome;
        outcome.kind = UpdateOutcome::Kind::Unsupported;
        outcome.text = "This catalogue takes no records from qrn";
        return outcome;
    }
};
