// Reading a whole input file, as the headless tools take their operands.
#pragma once

#include <string>

// The whole file (standard input for "-") appended to bytes; false with
// errno's text in error.
bool readWholeFile(const std::string& name, std::string& bytes, std::string& error);

// A tool's file operand into bytes; when it cannot be read, says so on
// standard error as "program: file: reason" (after what is on standard
// output) and returns false.
bool readOperandFile(const char* program, const std::string& name, std::string& bytes);
