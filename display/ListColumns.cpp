#include "display/ListColumns.h"

#include <algorithm>
#include <cstdlib>

const char* const kInitialColumns = "Title, 300;Date, 90; ";
const char* const kAllTargetsColumns = "Title, 350;Author, 150;Database, 100;Date, 90; ";
const char* const kOneTargetColumns = "Title, 350;Author, 150;Date, 90; ";

std::vector<ListColumn> parseListColumns(const std::string& layout) {
    std::vector<ListColumn> columns;
    size_t start = 0;
    while (start <= layout.size()) {
        const size_t end = std::min(layout.find(';', start), layout.size());
        const std::string entry = layout.substr(start, end - start);
        const size_t firstComma = entry.find(',');
        if (firstComma == std::string::npos) break;
        const size_t lastComma = entry.rfind(',');
        ListColumn column;
        column.title = entry.substr(0, firstComma);
        column.width = std::max(1, std::atoi(entry.c_str() + lastComma + 1));
        if (lastComma != firstComma)
            column.alignment =
                std::atoi(entry.substr(firstComma + 1, lastComma - firstComma - 1).c_str());
        columns.push_back(column);
        start = end + 1;
    }
    return columns;
}
