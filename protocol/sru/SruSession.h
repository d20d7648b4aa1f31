// searchRetrieve against one SRU target: the search with its first records,
// then further pages, asking again only while each answer brings a record it
// did not have. A server that reports hits and sends none is asked once.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "protocol/sru/SruResponse.h"

struct Target;

class SruSession {
public:
    // stopped is asked while waiting for the server.
    SruSession(const Target& target, std::function<bool()> stopped);

    // Positions are 0-based. False: error() says why, unless it was stopped.
    bool search(const std::string& cql, int32_t first, int32_t count);
    // The server's count; negative when it gave none, or a negative one.
    int64_t hits() const { return hits_; }
    // Asks once for [first, end) unless first is here: one page, whose
    // records the caller stores before it asks for the next. False when the
    // answer had an error or diagnostic (its records are kept) or it stopped.
    bool fetchPage(int32_t first, int32_t end);
    // The record at position, or null when none came.
    const SruResponseRecord* record(int32_t position) const;

    const std::string& error() const { return error_; }
    // An answer of this search had an error or diagnostic: nothing more is asked.
    bool failed() const { return !error_.empty(); }
    // The first diagnostic of the last answer that had one.
    const SruDiagnostic& diagnostic() const { return diagnostic_; }
    bool stopped() const { return stopped_; }

private:
    // Stores the records of the answer; false on any error or diagnostic.
    bool request(int32_t first, int32_t count, size_t& added);
    std::string url(int32_t first, int32_t count) const;

    const Target& target_;
    std::function<bool()> isStopped_;
    std::string cql_;
    int64_t hits_ = -1;
    std::map<int32_t, SruResponseRecord> records_;
    std::string error_;
    SruDiagnostic diagnostic_;
    bool stopped_ = false;
};

// The address of a searchRetrieve request.
std::string sruSearchUrl(const std::string& base, const std::string& cql, const std::string& schema,
                         int32_t first, int32_t count);
