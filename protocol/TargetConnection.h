// A connection to one target for one search task, whatever the protocol:
// each protocol's folder implements it once, and the flow of a search knows
// only this. Worker thread that owns it only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "records/Record.h"

// What failed last, worded for the user; text is empty when nothing did.
struct ConnectionFailure {
    std::string text;
    // The target refused the query's index (Bib-1 114, SRU 16); indexInfo
    // is what it said of it.
    bool indexRejected = false;
    std::string indexInfo;
};

// The records of one server position, in order. skipped: the server sent a
// diagnostic in the record's place.
struct FetchedRecords {
    int32_t position = 0;
    std::vector<Record> records;
    bool skipped = false;
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
    // Lists number terms of the index of pqf's use attribute around its
    // term, which stands at position (from 1) when the index holds it.
    // Needs no connect() first.
    virtual ScanAnswer scan(const std::string& pqf, int32_t number, int32_t position);
};
