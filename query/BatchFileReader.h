// Adding the numbers of a file of one ISBN or ISSN per line. Pure; any thread.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "query/BatchNumbers.h"

// A line that was not added, and why.
struct RefusedLine {
    int line = 0;  // from 1
    std::string message;
};

// Adds every line of in (its line end removed, LF or CR LF) to list in file
// order. Blank lines and lines starting with '#' are skipped without a word;
// returns the lines refused or already listed, in file order.
std::vector<RefusedLine> addBatchNumbersFrom(std::istream& in, BatchNumberList& list);

// The one message for a file's refused lines: "3 lines not loaded: line 4,
// line 7, line 9" (the first few line numbers); empty when there are none.
std::string refusedLinesSummary(const std::vector<RefusedLine>& refused);
// Every refused line with its reason, a line each ("line 4: ...").
std::string refusedLinesDetail(const std::vector<RefusedLine>& refused);
