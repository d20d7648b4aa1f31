// Comparing record forms whose encodings differ in length.
#pragma once

#include <string>

// form with the five digits of the record length after leaderStart (the first
// occurrence; "" for a line form, which starts with its leader) made "#####".
std::string withoutRecordLength(std::string form, const std::string& leaderStart);
