// The record list's column layouts: "Title, 350;Author, 150; ".
#pragma once

#include <string>
#include <vector>

struct ListColumn {
    std::string title;
    int width = 1;      // pixels, at least 1
    int alignment = 0;  // 0 left, 1 right, 2 centre
};

// Entries are separated by ';'. In each, the text before the first ',' is the
// title, the number after the last ',' the width, a number between two commas
// the alignment. An entry without a ',' ends the layout.
std::vector<ListColumn> parseListColumns(const std::string& layout);

extern const char* const kInitialColumns;     // "Title, 300;Date, 90; "
extern const char* const kAllTargetsColumns;  // with Author and Database
extern const char* const kOneTargetColumns;   // with Author
