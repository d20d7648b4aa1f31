// How plausible a reading of a record's bytes is. A wrong charset rarely
// leaves replacement characters alone: it leaves accents on nothing, symbols
// inside words and letters hardly any language uses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Pure; any thread. The language code of 008/35-37 ("cze"), or "".
std::string recordLanguage(std::string_view iso2709);

// Pure; any thread. The cost of UTF-8 (NFC) text as the reading of a record
// in that language (a MARC code, or "" when unknown): 0 for ASCII, about 1
// for each ordinary letter outside it, more for each sign of a wrong reading
// and for letters the language does not write. Lower is more plausible.
size_t readingCost(std::string_view utf8, std::string_view language = {});
