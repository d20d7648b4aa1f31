// Finding a record already in the library's catalogue by its identifiers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The catalogue's record an incoming one matches.
struct CatalogueMatch {
    bool found = false;
    std::string title;
    std::string id;  // its 001
    // The catalogue could not be searched: nothing is known either way.
    bool checkFailed = false;
};

// Pure. A PQF query per identifier of the record (001, ISBN in both forms,
// ISSN, LCCN, OCLC number), in that order: one at a time, so that an index
// the catalogue lacks rules out only its own identifier.
std::vector<std::string> duplicateQueries(std::string_view iso2709);

// Pure. True when candidate, a record the catalogue found, shares the 001 or
// a standard number with incoming: a search by words finds more than that.
bool sameIdentifiers(std::string_view incoming, std::string_view candidate);
