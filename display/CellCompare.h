// How the record list compares two cells of a column when the user sorts it:
// integers as numbers, dates in the user's locale as dates, the rest byte-wise.
#pragma once

#include <functional>
#include <string>

// Reads a whole cell as a date of the user's locale; true and a comparable
// value (e.g. a day number) when it is one.
using DateParser = std::function<bool(const std::string& cell, double& value)>;

// What a comparison needs to know of one cell, worked out once per cell so
// that sorting many rows does not parse the same text again and again.
struct CellKey {
    std::string text;  // trimmed
    bool integer = false;
    double number = 0;  // the leading number, 0 when none
    bool isDate = false;
    double date = 0;
};

CellKey makeCellKey(const std::string& cell, const DateParser& parseDate);

// Negative, 0 or positive as a sorts before, with or after b (ascending).
// The first cell decides how both are read, so the order is that of the
// pairwise rule even where it is not a total order.
int compareCellKeys(const CellKey& a, const CellKey& b);

int compareCells(const std::string& a, const std::string& b, const DateParser& parseDate);
