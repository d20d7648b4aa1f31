#include "base/CommandLine.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "base/Version.h"

std::string versionLine(const char* name) { return std::string(name) + " " + qrnVersion(); }

std::optional<int> commonOption(const ProgramUsage& program, const std::string& arg) {
    if (arg == "--help" || arg == "-h") {
        std::fputs(program.usage, stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (arg == "--version") {
        std::printf("%s\n", versionLine(program.name).c_str());
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    return std::nullopt;
}

int usageError(const ProgramUsage& program, const std::string& problem) {
    std::fprintf(stderr, "%s: %s\n", program.name, problem.c_str());
    std::fputs(program.usage, stderr);
    return 2;
}

std::optional<int> parseOperands(const ProgramUsage& program, int argc, char** argv,
                                 std::vector<std::string>& operands) {
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            if (const std::optional<int> status = commonOption(program, arg)) return status;
            return usageError(program, "unknown option " + arg);
        } else {
            operands.push_back(arg);
        }
    }
    return std::nullopt;
}

bool parseNumber(const std::string& text, int32_t& value) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < -2147483647L || n > 2147483647L) return false;
    value = static_cast<int32_t>(n);
    return true;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
