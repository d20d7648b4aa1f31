// A searchRetrieve response of SRU 1.1, 1.2 or 2.0 as data, read by element
// names alone (the versions' namespaces differ). Nothing in it is trusted:
// counts may be missing or negative, records fewer than asked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SruDiagnostic {
    std::string uri;
    std::string details;
    std::string message;
};

// The text a user reads: "Unknown schema for retrieval (66): marcxml" for a
// numbered diagnostic, else the server's message (or "Unknown diagnostic")
// with the URI and details.
std::string sruDiagnosticText(const SruDiagnostic& diagnostic);

struct SruResponseRecord {
    // The record as XML text, whatever its packing; empty when iso2709 holds
    // it, or when it is a surrogate sent as XML elements.
    std::string xml;
    // MARCXML sent as XML elements, read in the response's own pass: each
    // record it holds in ISO 2709, as readSruXmlRecord would give them.
    std::vector<std::string> iso2709;
    // A per-record diagnostic stands where the record would.
    bool surrogate = false;
};

struct SruSearchResponse {
    // Empty when the text is a searchRetrieve response; else why it is not.
    std::string error;
    // -1 when the response gives none.
    int64_t numberOfRecords = -1;
    bool hasNumberOfRecords = false;
    std::vector<SruResponseRecord> records;
    std::vector<SruDiagnostic> diagnostics;
};

// Pure.
SruSearchResponse parseSruSearchResponse(const std::string& xml);
