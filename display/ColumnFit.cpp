#include "display/ColumnFit.h"

#include <algorithm>

std::vector<int> fitColumns(const std::vector<int>& contentWidths, int stretchColumn,
                            int available, int leastStretch, int mostOther) {
    std::vector<int> widths = contentWidths;
    int others = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (static_cast<int>(i) == stretchColumn) continue;
        // One long cell must not push every other column off screen.
        widths[i] = std::min(widths[i], mostOther);
        others += widths[i];
    }
    if (stretchColumn >= 0 && stretchColumn < static_cast<int>(widths.size()))
        widths[stretchColumn] = std::max(leastStretch, available - others);
    return widths;
}
