// yaz-ztest, YAZ's test server, answering from built-in data (YAZ 5):
// - Databases: "Default" and any name starting with "Default" or "db" search
//   normally. "Slow" waits 3 s before answering a search, "SlowN" N seconds. Any
//   other name fails the search with bib-1 109 "Database unavailable" (addinfo:
//   the name). Parameters after a "?" ("Default?search-delay=0.5"): search-delay,
//   present-delay, fetch-delay (seconds, or "MIN:MAX" for a random wait), seed;
//   any other parameter fails the search with 1025.
// - Hit count: the first term that starts with a digit ("@attr 1=4 42" gives 42,
//   "0" none); without one, a hash of the terms modulo 24.
// - Records by preferred syntax: USMARC or MARC21 (also when none is asked):
//   built-in Library of Congress records in MARC-8 (leader/09 blank), about twenty
//   different ones, then one repeated with the position in its 100 $a ("Jack
//   C4999"). XML with element set "marcxml" or none: the same as MARCXML; any
//   other element set: diagnostic 14. SUTRS:
//   "This is dummy SUTRS record number N\n". OPAC: a MARC record with holdings.
//   GRS-1: this fixture's records for positions 1 to kGrs1Records (tag set G:
//   title, author, date, a nested name), diagnostic 14 beyond. Other syntaxes:
//   error 239 with the syntax's OID.
// - Init accepts any user and password; the log shows them (it logs protocol
//   units decoded, Logging::Protocol).
#pragma once

#include <string>
#include <vector>

#include "ZServer.h"

class YazZtestServer : public ZServer {
public:
    static constexpr int kGrs1Records = 100;

    // Starts yaz-ztest with extraArgs before its listener (e.g. {"-t", "1"} for a
    // one-minute idle timeout). Throws std::runtime_error when it does not come up.
    explicit YazZtestServer(std::vector<std::string> extraArgs = {});
};
