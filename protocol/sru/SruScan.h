// SRU's scan operation: the request's address and the reading of its answer
// (SRU 1.1, 1.2 or 2.0, by element names alone). Nothing in an answer is
// trusted: counts may be missing, negative or no numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/sru/SruResponse.h"

struct SruScanTerm {
    std::string value;
    std::string display;  // empty: the server gave none
    int64_t count = -1;   // -1: none, or none that reads as a count
};

struct SruScanResponse {
    // Empty when the text is a scan response; else why it is not.
    std::string error;
    std::vector<SruScanTerm> terms;
    std::vector<SruDiagnostic> diagnostics;
};

// Pure. scanClause as CQL ("dc.title=river"); position counts from 1.
std::string sruScanUrl(const std::string& base, const std::string& scanClause, int32_t number,
                       int32_t position);

// Pure.
SruScanResponse parseSruScanResponse(const std::string& xml);
