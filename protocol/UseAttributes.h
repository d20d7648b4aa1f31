// The Bib-1 use attributes of a PQF query: which it names, the query with one
// replaced, and the names the attribute editor gives the common ones. Pure.
#pragma once

#include <set>
#include <string>
#include <vector>

// Every numeric use attribute (type 1) the query's @attr operators name.
std::set<int> useAttributesOf(const std::string& pqf);

// The query with each use attribute from made to; quoted terms, other
// attribute types and the rest of the text unchanged.
std::string withUseAttribute(const std::string& pqf, int from, int to);

// The indexes a probe tries, in the order it reports them.
const std::vector<int>& commonUseAttributes();

// "ISBN", "Any"... as the attribute editor lists them; "use attribute N"
// for one outside the common indexes.
std::string useAttributeName(int use);
