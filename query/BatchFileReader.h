// Adding the numbers of a file of one ISBN or ISSN per line. Pure; any thread.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "query/BatchNumbers.h"

// Adds every line of in (its line end removed, LF or CR LF, nothing else) to
// list in file order; returns the messages of the lines rejected or already
// listed, in file order.
std::vector<std::string> addBatchNumbersFrom(std::istream& in, BatchNumberList& list);
