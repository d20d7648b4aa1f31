// Turns what the user typed on the query pages into PQF text. Pure functions;
// any thread. A composed term is quoted with its quotes and backslashes
// escaped, so any title the user types gives a query the toolkit reads back
// as that title.
#pragma once

#include <string>
#include <vector>

#include "query/SearchAttribute.h"

// t between double quotes, with '"', '\' and a leading '@' escaped by a backslash.
std::string quotePqfTerm(const std::string& t);

// The title and author rows of the basic page joined by "@and ". A row's pqf is
// trimmed in place when its term is used, so the trimmed value is kept.
std::string composeBasicQuery(const std::string& title, const std::string& author,
                              SearchAttribute& titleRow, SearchAttribute& authorRow);

// One row of the advanced page: the operator list's text (ignored on the first
// row), the row's attribute string and its term.
struct AdvancedRow {
    std::string op;
    std::string pqf;
    std::string term;
};

// Non-empty rows joined left-nested by their own row's operator.
std::string composeAdvancedQuery(const std::vector<AdvancedRow>& rows);

// "AND", "OR", "AND NOT" to "@and ", "@or ", "@not "; anything else to "".
std::string operatorPrefix(const std::string& op);

// The query field after the Prefix Query Format page's Add: op joins the field
// as it stands with attributes and the quoted term.
std::string appendPqfTerm(const std::string& term, const std::string& attributes,
                          const std::string& op, const std::string& query);
