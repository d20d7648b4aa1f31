// A PQF query as CQL, for SRU targets, by YAZ's own RPN-to-CQL transform and a
// mapping file in its cql_transform format.
#pragma once

#include <string>

struct CqlConversion {
    std::string cql;
    // Empty on success; else why the query cannot be sent, e.g.
    // "No CQL index for Bib-1 use attribute 1032".
    std::string error;
};

// Pure (reads the mapping file). mappingFile empty: the shipped mapping
// (data/sru/bib1-cql.properties, built in).
CqlConversion pqfToCql(const std::string& pqf, const std::string& mappingFile = std::string());

// The shipped mapping's text.
extern const char* const kShippedCqlMapping;
