// Which charset a MARC record is read in, and why: leader position 9 says one
// thing, servers often send another, and the user may know better than both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "marc/MarcCharset.h"

// A target's record charset. Its names in the target list file are the
// texts of recordCharsetName; Automatic is written as nothing.
enum class RecordCharsetSetting : unsigned char { Automatic, Marc8, Utf8, Latin1 };

// Pure. "MARC-8", "UTF-8", "ISO-8859-1"; any other text is Automatic.
RecordCharsetSetting recordCharsetSetting(std::string_view name);
// Pure. "MARC-8", "UTF-8", "ISO-8859-1", and "" for Automatic.
const char* recordCharsetName(RecordCharsetSetting setting);
// Pure. The name shown for a charset.
const char* marcCharsetName(MarcCharset charset);

enum class CharsetReason : unsigned char {
    Leader,          // the leader's label, and the bytes agree
    NotUtf8,         // labelled UTF-8, bytes are MARC-8
    IsUtf8,          // labelled MARC-8, bytes are UTF-8 without MARC-8 escapes
    BrokenUtf8,      // labelled UTF-8, bytes are neither UTF-8 nor MARC-8
    TargetSetting,   // the target names the charset
    Marc8Escapes,    // labelled UTF-8, bytes are MARC-8 escapes to other sets
    Latin1OverUtf8,  // labelled UTF-8, bytes read best as ISO-8859-1 / Windows-1252
    Latin1OverMarc8  // labelled MARC-8, bytes read best as ISO-8859-1 / Windows-1252
};

struct CharsetChoice {
    MarcCharset charset = MarcCharset::Utf8;
    CharsetReason reason = CharsetReason::Leader;
};

// Pure; any thread. A set charset is used as it is. Automatic reads leader
// position 9 (blank: MARC-8, anything else: UTF-8), then checks the bytes:
// MARC-8 escapes mean MARC-8; well-formed UTF-8 is UTF-8 (labelled MARC-8, only
// with a character longer than a byte). Other bytes are read both as MARC-8
// and as Latin-1 with Windows-1252 (Utf8Latin1); Latin-1 wins only at less than
// half MARC-8's readingCost, since MARC-8 sent as UTF-8 is common.
CharsetChoice chooseMarcCharset(std::string_view iso2709, RecordCharsetSetting setting);

// Pure. "MARC-8 (leader says UTF-8; bytes are not UTF-8)".
std::string charsetChoiceText(CharsetChoice choice);

// One byte for a record to keep: 0 means no choice was made (not MARC).
uint8_t packCharsetChoice(CharsetChoice choice);
bool unpackCharsetChoice(uint8_t packed, CharsetChoice& choice);

// Any thread. How many U+FFFD the record's text holds when read in charset.
size_t replacementCount(std::string_view iso2709, MarcCharset charset);

// Pure. The toolkit's name for a target's query charset; null for UTF-8 (no
// conversion) and for names it does not know.
const char* queryTermCharset(std::string_view name);
