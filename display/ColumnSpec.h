// The record list's column specifications: "Title, 350;Author, 150; ".
#pragma once

#include <string>
#include <vector>

struct ColumnSpec {
    std::string title;
    int width = 1;      // pixels, at least 1
    int alignment = 0;  // 0 left, 1 right, 2 centre
};

// Entries are separated by ';'. In each, the text before the first ',' is the
// title, the number after the last ',' the width, a number between two commas
// the alignment. An entry without a ',' ends the specification.
std::vector<ColumnSpec> parseColumnSpec(const std::string& spec);

extern const char* const kInitialColumns;     // "Title, 300;Date, 90; "
extern const char* const kAllTargetsColumns;  // with Author and Database
extern const char* const kOneTargetColumns;   // with Author
