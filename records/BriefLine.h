// The one-line form of a record's brief fields, for tools that list records.
#pragma once

#include <string>

// Pure. "title TAB author TAB date" with no line end; a TAB, CR, LF or CR LF
// inside a value becomes one blank so that each record stays on its own line.
std::string briefLine(const std::string& title, const std::string& author, const std::string& date);

// Pure. One value flattened the same way, for lines with other columns.
std::string briefValue(const std::string& value);
