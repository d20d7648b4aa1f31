// The record that replaces a catalogue's own: the incoming description under
// the catalogue's local number, with where it came from kept in a 035.
#pragma once

#include <string>
#include <string_view>

// Pure. The ISO 2709 record's control number (001), blanks trimmed; "" when
// it has none.
std::string controlNumber(std::string_view iso2709);

// Pure. incoming with 001 set to catalogueNumber, its own 001 and 003 taken
// out and kept as a 035 $a "(ORG)number" (the number alone without a 003),
// unless the record has that 035 already. Empty when incoming has no leader
// or the result would not fit ISO 2709's lengths.
std::string overlayRecord(std::string_view incoming, const std::string& catalogueNumber);
