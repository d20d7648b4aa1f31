// The Scan request of a Z39.50 session and the reading of its answer. Pure.
#pragma once

#include <yaz/odr.h>
#include <yaz/z-core.h>

#include <cstdint>
#include <string>
#include <vector>

struct Z3950Options;

// One entry of a Scan answer, its bytes as the server sent them.
struct Z3950ScanEntry {
    std::string term;
    std::string display;  // empty: the server gave none
    int64_t count = -1;
};

// nullptr when pqf is no single attributed term, or its term cannot be put
// into the query character set. position counts from 1.
Z_APDU* scanRequest(ODR out, const Z3950Options& options, const std::string& pqf,
                    int32_t number, int32_t position);

// The entries of an answer in its order; diagnostic is set instead when the
// scan failed as a whole. Entries that are no term are left out.
std::vector<Z3950ScanEntry> scanEntries(const Z_ScanResponse* response,
                                        const Z_DefaultDiagFormat** diagnostic);

// A term's bytes as UTF-8: through the query charset the terms were sent in
// when there is one (the index holds them so), else as the target's records
// are read (recordCharset as a target names it).
std::string scanTermUtf8(const std::string& bytes, const std::string& rpnCharset,
                         const std::string& recordCharset);
