// An SRU server's indexes read back as Bib-1 use attributes through the
// PQF-to-CQL mapping, so they compare with what a Z39.50 probe finds. Pure.
#pragma once

#include <set>
#include <string>
#include <vector>

// indexes as Explain lists them ("dc.title", or "title" matching any set);
// mapping in the cql_transform format, the shipped one when empty.
std::set<int> useAttributesOfCqlIndexes(const std::vector<std::string>& indexes,
                                        const std::string& mapping = std::string());
