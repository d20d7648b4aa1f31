#include "targets/Ports.h"

#include <climits>
#include <cstdint>

#include "targets/TargetAddress.h"

namespace {

// Reads a number as atoi does, but saturates instead of overflowing on a port
// of absurd length.
int leadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

std::optional<int> portOfZurl(const std::string& zurl) {
    // An SRU address's port follows its host, after the scheme.
    const size_t from = isSruAddress(zurl) ? zurl.find("//") + 2 : 0;
    const size_t colon = zurl.find(':', from);
    if (colon == std::string::npos) return std::nullopt;
    const size_t slash = zurl.find('/', colon);
    if (slash == std::string::npos) return std::nullopt;
    return leadingInteger(zurl.substr(colon + 1, slash - colon - 1));
}

std::set<int> usedPorts(const TargetList& list) {
    std::set<int> ports{210};
    for (const Target& t : list.targets)
        if (const auto port = portOfZurl(t.zurl)) ports.insert(*port);
    return ports;
}

std::string portNumbersText(const std::set<int>& ports) {
    std::string text;
    for (int port : ports) text += std::to_string(port) + " \r\n";
    return text;
}
