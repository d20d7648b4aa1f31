// The grouped list's words for a group: why its records are one, how many.
#pragma once

#include <string>

#include "copies/CopyGrouping.h"

// Pure. "ISBN 9780141439518", "OCLC 63111280", "title, author, date",
// "joined by hand"; "" for "-".
std::string groupReasonText(const std::string& reasonKey);
// Pure. The same, telling also when records sharing a number were kept apart,
// and why.
std::string groupReasonText(const CopyGroup& group);
// Pure. "4 copies, 3 targets"; "1 copy" for a record alone.
std::string groupCopiesText(const CopyGroup& group);
