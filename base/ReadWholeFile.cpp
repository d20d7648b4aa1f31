#include "base/ReadWholeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool readWholeFile(const std::string& name, std::string& bytes, std::string& error) {
    const bool useStdin = name == "-";
    std::FILE* file = useStdin ? stdin : std::fopen(name.c_str(), "rb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    if (failed) error = std::strerror(errno);
    if (!useStdin) std::fclose(file);
    return !failed;
}

bool readOperandFile(const char* program, const std::string& name, std::string& bytes) {
    std::string error;
    if (readWholeFile(name, bytes, error)) return true;
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s: %s\n", program, name == "-" ? "standard input" : name.c_str(),
                 error.c_str());
    return false;
}
