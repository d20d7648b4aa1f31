// Records in every MARC-8 character set, made with the toolkit's own encoder,
// and the toolkit's reading of them: an independent converter to compare with.
#pragma once

#include <string>
#include <vector>

// UTF-8 ISO 2709 records (001 "script-N"): every ANSEL diacritic and spacing
// letter, Greek, Cyrillic, Arabic, Hebrew, CJK, subscripts and superscripts.
std::vector<std::string> scriptRecordsUtf8();

// The record in MARC-8 with leader position 9 blank, by the toolkit's encoder.
std::string toMarc8(const std::string& utf8Iso2709);

// The toolkit's line form of the record without its leader line, converted
// from fromCharset ("marc8", "utf-8") to UTF-8.
std::string toolkitLines(const std::string& iso2709, const char* fromCharset);
