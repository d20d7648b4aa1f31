// How the text of an ISO 2709 record is to be read. Records are shown and
// handed out in UTF-8 (NFC); their stored bytes never change.
#pragma once

#include <string>
#include <string_view>

enum class MarcCharset : unsigned char {
    Utf8,       // bytes that are not UTF-8 become U+FFFD
    Marc8,      // converted with the toolkit's MARC-8 decoder
    Latin1,     // ISO-8859-1
    Utf8Latin1  // UTF-8 where it is well-formed, each other byte as ISO-8859-1
};

// Pure; any thread. The charset automatic detection gives (see
// chooseMarcCharset in MarcCharsetChoice.h).
MarcCharset marcCharset(std::string_view iso2709);

// Any thread. Text taken from a record of that charset (a field, a subfield), in
// UTF-8 NFC; bytes the charset cannot read become U+FFFD.
std::string marcTextToUtf8(std::string_view text, MarcCharset charset);
