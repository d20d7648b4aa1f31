// How plausible a reading of a record's bytes is. A wrong charset rarely
// leaves replacement characters alone: it leaves accents on letters they do
// not go with, or on nothing, and letters the record's language does not write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Pure; any thread. The language code of 008/35-37 ("cze"), or "".
std::string recordLanguage(std::string_view iso2709);

// Pure; any thread. The cost of UTF-8 (NFC) text as the reading of a record
// in that language (a MARC code, or "" when unknown): 0 for ASCII, 1 for each
// other character, more for each sign of a wrong reading. Lower is more
// plausible.
size_t readingCost(std::string_view utf8, std::string_view language = {});
