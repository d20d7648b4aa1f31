// How the text of an ISO 2709 record is to be read. Records in MARC-8 (leader
// position 9 blank) are shown and handed out in UTF-8, converted by the
// toolkit; their stored bytes never change.
#pragma once

#include <string>
#include <string_view>

enum class MarcCharset {
    Utf8,  // kept as they are; bytes that are not UTF-8 are dealt with on the way out
    Marc8  // converted with the toolkit's MARC-8 decoder
};

// Pure; any thread. Marc8 when leader position 9 is blank, unless the bytes are
// UTF-8 with at least one multi-byte sequence: catalogues often leave the
// position blank on UTF-8 records, and MARC-8 text is hardly ever valid UTF-8.
// Any other value, or no leader, is Utf8.
MarcCharset marcCharset(std::string_view iso2709);

// Any thread. Text taken from a record of that charset (a field, a subfield), in
// UTF-8 for Marc8: bytes the decoder cannot read become U+FFFD. Utf8 text is
// returned as it is.
std::string marcTextToUtf8(std::string_view text, MarcCharset charset);
