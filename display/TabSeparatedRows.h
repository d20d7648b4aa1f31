// Rows of the record list as text a spreadsheet pastes into columns.
#pragma once

#include <string>
#include <vector>

// Pure. The header line, then one line per row, cells joined by tabs, every
// line ended by "\n". Tabs and line breaks inside a cell become blanks, so
// no cell spills into the next column or row.
std::string tabSeparatedRows(const std::vector<std::string>& header,
                             const std::vector<std::vector<std::string>>& rows);
