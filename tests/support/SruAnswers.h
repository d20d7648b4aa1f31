// Pieces of searchRetrieve answers a test server sends, written as a lying or
// failing SRU server would, and what a search harness got from a target.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "HttpFront.h"
#include "SearchHarness.h"
#include "records/Record.h"

// The target's records in the store, with their display forms made.
std::vector<Record> recordsOf(SearchHarness& h, int32_t targetId);
// An HTTP answer holding only diagnostic number with its details.
std::string sruDiagnostic(int number, const std::string& details);
// A MARCXML record whose 001 and 245 $a are title.
std::string marcXmlRecord(const std::string& title);
// A record slot holding data in the given schema.
std::string slot(const std::string& data, const std::string& schema = "marcxml");
// A searchRetrieve response with what a lying server puts in it.
std::string sruAnswer(const std::string& count, const std::string& records,
                      const std::string& diagnostics = std::string());
// Requests the front got for path.
size_t requestsTo(const HttpFront& front, const std::string& path);
