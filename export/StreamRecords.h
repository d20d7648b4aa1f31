// The records of a search written to a stream, as qrn-search writes them.
#pragma once

#include <ostream>
#include <string>

#include "document/DocumentCore.h"

// format: brief, marc, mrk, xml, text or groups. 0, or the error number of
// the first write that failed (a full disk, a closed standard output), the
// final flush included. The Options' clean-up tags apply; the encoding is the
// command line's. Records a format cannot hold are counted on standard error.
int writeRecords(const DocumentCore& doc, const std::string& format, const std::string& encoding,
                 std::ostream& out);
