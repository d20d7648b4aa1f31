// What every program of qrn does with its command line's common options:
// --help prints the usage, --version the version, both on standard output and
// without touching anything else; a bad option is an error with the usage.
// The man pages are made from the same usage text, so it follows help2man's
// layout: a "Usage:" line, a description, then an "Options:" list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ProgramUsage {
    const char* name;   // "qrn-brief"
    const char* usage;  // the whole --help text
};

// When arg is --help or --version, prints what it asks for and returns the
// exit status 0; otherwise nothing.
std::optional<int> commonOption(const ProgramUsage& program, const std::string& arg);

// Prints "name: problem" and the usage on standard error; returns 2.
int usageError(const ProgramUsage& program, const std::string& problem);

// "name VERSION"
std::string versionLine(const char* name);

// For programs that take only operands besides --help and --version: fills
// operands with every other argument ("--" ends the options, "-" is an
// operand). Returns the exit status when the program is to end at once.
std::optional<int> parseOperands(const ProgramUsage& program, int argc, char** argv,
                                 std::vector<std::string>& operands);

// An option's whole text as a number (at most 2147483647 either way).
bool parseNumber(const std::string& text, int32_t& value);

// path names a folder (following links).
bool isFolder(const std::string& path);
