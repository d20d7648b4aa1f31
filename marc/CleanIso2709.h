// A copy of an ISO 2709 record that the toolkit's record writers can take
// safely: they read past their buffers on subfields shorter than the leader's
// identifier length promises, or when their MARC-8 decoder meets a subfield code
// that is not a whole character.
#pragma once

#include <string>
#include <string_view>

#include "marc/MarcCharset.h"
#include "marc/MarcTagPatterns.h"

// Pure; any thread. The fields MarcReader finds, in directory order, their text
// in UTF-8 (decoded with marcTextToUtf8, one subfield at a time), written anew:
// leader positions 0-4 and 12-16 computed, 9 'a', 10-11 "22", 20-23 "4500",
// the rest as the record has them but for bytes outside ASCII, which become
// blanks there and in tags and indicators. Two indicators (blanks when missing), every
// subfield with a code, no 0x00, 0x1D, 0x1E or 0x1F inside a value. A field too
// long for four digits is cut, fields past a record length of 99999 are left
// out. Empty when the record has no leader. Fields whose tag drop matches are
// left out.
std::string cleanIso2709(std::string_view iso2709, MarcCharset charset,
                         const MarcTagPatterns& drop = MarcTagPatterns());

// Pure; any thread. The record without the fields whose tag drop matches, the
// other bytes as they came (lengths and addresses recomputed). Empty when the
// record has no leader.
std::string withoutFields(std::string_view iso2709, const MarcTagPatterns& drop);
