// The quality marks spelled out, for tool tips and screen readers, and as one
// number for sorting a list by quality.
#pragma once

#include <cstdint>
#include <string>

#include "copies/QualityMarks.h"

// Pure. "Encoding level: full; source: DLC, RDA; PCC; 34 fields; subjects;
// classification"; "" for a record that is not MARC.
std::string qualityMarksWords(const QualityMarks& marks);
// Pure. Higher for the better copy, in the order betterCopy uses: encoding
// level, then PCC, then RDA, then number of fields; 0 for a record that is
// not MARC.
uint32_t qualityMarksRank(const QualityMarks& marks);
