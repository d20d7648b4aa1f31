// qrn-validate FILE...: checks every ISO 2709 record in the files against
// MARC 21 and prints one line per finding.
#include <cstdio>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/ReadWholeFile.h"
#include "marc/Iso2709Splitter.h"
#include "validation/MarcValidator.h"

namespace {

const ProgramUsage kProgram{
    "qrn-validate",
    "Usage: qrn-validate [OPTION]... FILE...\n"
    "Check every ISO 2709 (MARC 21 bibliographic) record in the files against\n"
    "the rules of MARC 21 and print one line per finding:\n"
    "FILE:N TAB tag TAB kind TAB message, N the record's position in the file\n"
    "from 1. The kinds are field-not-repeatable, subfield-not-repeatable,\n"
    "indicator1, indicator2, subfield-undefined, field-undefined, field-missing,\n"
    "leader and fixed-field. A repeated field or subfield that may not repeat\n"
    "and a missing 245 are errors; the rest are warnings. Local tags (9XX and\n"
    "those with a 9 in the second or third place) are not checked.\n"
    "\"-\" reads standard input; \"--\" ends the options.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Exit status: 0 when no error was found, 1 when one was, 2 for a wrong\n"
    "command line or a file that could not be read.\n"};

// Prints the file's findings; true when one of them is an error.
bool printFindings(const std::string& name, const std::string& bytes) {
    const MarcSchema& schema = shippedMarcSchema();
    bool error = false;
    size_t position = 0;
    for (const std::string_view iso2709 : splitIso2709(bytes)) {
        ++position;
        for (const MarcFinding& finding : validateMarc(marcFieldsFromIso2709(iso2709), schema)) {
            error = error || isMarcError(finding.kind);
            const std::string line = name + ":" + std::to_string(position) + "\t" + finding.tag +
                                     "\t" + marcFindingKindName(finding.kind) + "\t" +
                                     finding.message + "\n";
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
    }
    return error;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    if (const std::optional<int> status = parseOperands(kProgram, argc, argv, files))
        return *status;
    if (files.empty()) return usageError(kProgram, "no file given");
    bool unreadable = false, error = false;
    for (const std::string& name : files) {
        std::string bytes;
        if (!readOperandFile(kProgram.name, name, bytes)) {
            unreadable = true;
            continue;
        }
        error = printFindings(name, bytes) || error;
    }
    if (std::fflush(stdout) != 0) return 2;
    return unreadable ? 2 : error ? 1 : 0;
}
