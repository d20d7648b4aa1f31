// MARC text (.mrk), the form the editor shows and export writes: a line per
// field, "=245  10$aTitle", "\" for a blank in the leader, control fields and
// indicators, "{dollar}", "{lcub}", "{rcub}" for "$", "{", "}" in data.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "validation/MarcFields.h"

struct MarcTextProblem {
    size_t line = 0;  // from 0
    std::string message;
};

struct MarcTextParse {
    MarcFields record;
    // The text line of each field of record.fields.
    std::vector<size_t> fieldLines;
    size_t leaderLine = 0;
    // Lines that could not be read whole; saving such a text would lose data.
    std::vector<MarcTextProblem> problems;
};

// Pure; any thread. The record a MARC text holds. Blank lines are skipped;
// a line that is not a field, a field without its two indicators, text before
// a data field's first subfield, a subfield without a code, a second leader
// and ISO 2709's own separators in a value are problems.
MarcTextParse parseMarcText(std::string_view text);

// Pure; any thread. The MARC text of a record whose values are UTF-8, as
// export writes it; a field per line after the leader's.
std::string marcTextOf(const MarcFields& record);
