// What the export of one record to a file proposes and warns about before it
// writes. Pure; any thread.
#pragma once

#include <string>
#include <vector>

struct Record;

// A file name without suffix from the record: its first title words joined by
// "-", else its control number (001), else "record". Safe on every file system:
// letters and digits only (UTF-8 kept), at most about 40 bytes.
std::string suggestedFileName(const Record& record);

// The tags of a MARC record's fields (and "LDR") that hold U+FFFD, each once,
// in record order; empty for other records.
std::vector<std::string> fieldsWithReplacements(const Record& record);

// The question before writing such a record: "Field 245 holds replacement
// characters ..." or "Fields 245 and 650 hold ...".
std::string replacementWarning(const std::vector<std::string>& tags);
