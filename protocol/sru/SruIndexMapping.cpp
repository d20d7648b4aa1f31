#include "protocol/sru/SruIndexMapping.h"

#include <sstream>

#include "protocol/sru/PqfToCql.h"
#include "protocol/UseAttributes.h"

namespace {

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string lowered(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

std::set<int> useAttributesOfCqlIndexes(const std::vector<std::string>& indexes,
                                        const std::string& mapping) {
    std::set<std::string> wanted;
    for (const std::string& index : indexes) wanted.insert(lowered(index));
    std::set<int> uses;
    std::istringstream lines(mapping.empty() ? std::string(kShippedCqlMapping) : mapping);
    std::string line;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        const size_t equals = line.find('=');
        if (line.compare(0, 6, "index.") != 0 || equals == std::string::npos) continue;
        const std::string name = lowered(trimmed(line.substr(6, equals - 6)));
        const size_t dot = name.rfind('.');
        if (!wanted.count(name) &&
            !(dot != std::string::npos && wanted.count(name.substr(dot + 1))))
            continue;
        const std::set<int> found = useAttributesOf("@attr " + trimmed(line.substr(equals + 1)));
        uses.insert(found.begin(), found.end());
    }
    return uses;
}
