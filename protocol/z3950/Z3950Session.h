// A Z39.50 session of our own on the toolkit's protocol layer: init, search
// and present, each answer's memory freed as soon as its records are handed
// on (the toolkit's ZOOM keeps every present answer until the search ends).
// Worker thread that owns it only.
#pragma once

#include <yaz/odr.h>
#include <yaz/z-core.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/z3950/Z3950Scan.h"
#include "protocol/z3950/Z3950Socket.h"

struct Z3950Options {
    std::string address;  // host:port/database, as the target names it
    std::string proxy;
    std::string user;
    std::string password;
    std::string elementSet;    // empty: none asked for
    std::string recordSyntax;  // e.g. "usmarc"
    std::string rpnCharset;    // empty: the query's terms go as UTF-8
    std::string implementationName;
    int timeoutSeconds = 30;
};

// What went wrong, as the toolkit reports it: its own codes (10000...) in
// the set "ZOOM", a server's diagnostics in theirs (usually "Bib-1").
struct Z3950Error {
    int code = 0;
    std::string diagset;
    std::string message;
    std::string addinfo;
};

class Z3950Session {
public:
    // take gets each record of an answer in order (position from 0); the
    // record lives until take returns. false from take ends the answer.
    using TakeRecord = std::function<bool(int32_t position, Z_NamePlusRecord* record)>;

    Z3950Session(Z3950Options options, std::function<bool()> shouldStop);
    ~Z3950Session();
    Z3950Session(const Z3950Session&) = delete;
    Z3950Session& operator=(const Z3950Session&) = delete;

    // Connects and sends init; false when it failed (error()) or stopped.
    bool connect();
    // Searches; withSearch records (from the first) come in its answer and
    // go to take. false when it failed or stopped; hits() then holds.
    bool search(const std::string& pqf, int32_t withSearch, const TakeRecord& take);
    int64_t hits() const { return hits_; }
    // Asks for records [first, first + count); handed is how many came.
    bool present(int32_t first, int32_t count, const TakeRecord& take, int32_t& handed);
    // Scans number terms around pqf's term (at position, from 1) into
    // entries. false when it failed or stopped.
    bool scan(const std::string& pqf, int32_t number, int32_t position,
              std::vector<Z3950ScanEntry>& entries);

    const Z3950Error& error() const { return error_; }
    bool stopped() const { return stopped_; }

private:
    // True for Ok; else notes the failure (or the stop).
    bool socketOk(SocketIo io);
    // Sends apdu and decodes the answer into answer_; false on failure.
    bool exchange(Z_APDU* apdu);
    void failWith(int code, const std::string& addinfo = std::string());
    void failWithDiagnostic(const Z_DefaultDiagFormat* diagnostic);
    // Hands the records of an answer on; false on a diagnostic instead.
    bool takeRecords(Z_Records* records, int32_t first, const TakeRecord& take, int32_t& handed);

    Z3950Options options_;
    std::function<bool()> shouldStop_;
    Z3950Socket socket_;
    ODR out_;
    ODR in_;
    Z_APDU* answer_ = nullptr;
    Z3950Error error_;
    bool stopped_ = false;
    // init was answered
    bool established_ = false;
    int64_t hits_ = 0;
};
