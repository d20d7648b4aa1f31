// Cuts a file of ISO 2709 records into single records.
#pragma once

#include <string_view>
#include <vector>

// Pure; any thread. Each record runs for the length in its leader when that is
// five digits, at least 24 and inside bytes; otherwise up to and including the
// next 0x1D, or to the end. A last piece of nothing but blanks, line ends, NUL
// or 0x1A bytes is not a record. The views point into bytes.
std::vector<std::string_view> splitIso2709(std::string_view bytes);
