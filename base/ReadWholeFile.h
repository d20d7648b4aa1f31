// Reading a whole input file, as the headless tools take their operands.
#pragma once

#include <string>

// The whole file (standard input for "-") appended to bytes; false with
// errno's text in error.
bool readWholeFile(const std::string& name, std::string& bytes, std::string& error);
