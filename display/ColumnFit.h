// Column widths for a list: each column as wide as its content, one
// stretching column taking what is left of the width.
#pragma once

#include <vector>

std::vector<int> fitColumns(const std::vector<int>& contentWidths, int stretchColumn,
                            int available, int leastStretch, int mostOther);
