// Text from records made fit for the screen.
#pragma once

#include <string>

// Pure; any thread. Always valid UTF-8: well-formed UTF-8 passes, except the
// non-sorting markers U+0098 and U+009C, which are dropped; any other byte is
// read as Latin-1, except the MARC-8 markers 0x88 and 0x89 and the bytes 0x98
// and 0x9C (the Unicode markers in Latin-1), which are dropped.
std::string screenText(const std::string& bytes);
