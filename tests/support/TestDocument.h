// Targets and searches set up by hand on a document core, for the search
// harness and the window tests' document alike.
#pragma once

#include <cstdint>
#include <string>

#include "document/DocumentCore.h"
#include "query/BatchNumbers.h"

// Appends a target with the list's next id.
Target& addSearchTarget(DocumentCore& doc, const std::string& name, const std::string& zurl,
                        const std::string& recsyntax, const std::string& elementSet, bool active);
// The target with id; throws std::out_of_range when there is none.
Target& targetById(DocumentCore& doc, int32_t id);
// Compiles pqf into the query and starts the search as a confirmed sheet does.
void startSearch(DocumentCore& doc, const std::string& pqf);
// Starts a batch search of the numbers as the batch page's OK does.
void startBatchSearch(DocumentCore& doc, const BatchNumberList& numbers);
