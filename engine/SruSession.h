// searchRetrieve against one SRU target: the search with its first records,
// then further pages, asking again only while each answer brings a record it
// did not have. A server that reports hits and sends none is asked once.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "engine/SruResponse.h"

struct Target;

class SruSession {
public:
    // stopped is asked while waiting for the server.
    SruSession(const Target& target, std::function<bool()> stopped);

    // Positions are 0-based. False: error() says why, unless it was stopped.
    bool search(const std::string& cql, int32_t first, int32_t count);
    // The server's count; negative when it gave none, or a negative one.
    int64_t hits() const { return hits_; }
    // Asks for what is missing of [first, end). False when it stopped short.
    bool fetch(int32_t first, int32_t end);
    // The record at position, or null when none came.
    const SruResponseRecord* record(int32_t position) const;

    const std::string& error() const { return error_; }
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
