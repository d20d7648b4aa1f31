// qrn-brief FILE...: prints title, author and date of every ISO 2709 record in
// the files, one line per record, as the result list would show them.
#include <cstdio>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/ReadWholeFile.h"
#include "records/BriefLine.h"
#include "records/BriefMarcHandler.h"
#include "marc/Iso2709Splitter.h"
#include "marc/MarcReader.h"

namespace {

const ProgramUsage kProgram{
    "qrn-brief",
    "Usage: qrn-brief [OPTION]... FILE...\n"
    "Print the title, author and date of every ISO 2709 (MARC) record in the\n"
    "files, one line per record with TAB between the fields, as qrn's record list\n"
    "shows them. \"-\" reads standard input; \"--\" ends the options.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Exit status: 0 when every file was read, 1 when one could not be, 2 for a\n"
    "wrong command line.\n"};

void printBriefLines(const std::string& bytes) {
    const MarcReader reader;
    for (const std::string_view record : splitIso2709(bytes)) {
        BriefMarcHandler brief;
        reader.read(record.data(), record.size(), brief);
        const std::string line = briefLine(brief.title, brief.author, brief.date) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    if (const std::optional<int> status = parseOperands(kProgram, argc, argv, files))
        return *status;
    if (files.empty()) return usageError(kProgram, "no file given");
    int status = 0;
    for (const std::string& name : files) {
        std::string bytes;
        if (!readOperandFile(kProgram.name, name, bytes)) {
            status = 1;
            continue;
        }
        printBriefLines(bytes);
    }
    return std::fflush(stdout) == 0 ? status : 1;
}
