#include "marc/Iso2709Splitter.h"

#include "marc/MarcLeader.h"

namespace {

constexpr char kRecordTerminator = '\x1D';

// What editors and transfer tools leave at the end of a file.
bool isTrailingJunk(std::string_view rest) {
    for (const char c : rest) {
        if (c != ' ' && c != '\n' && c != '\r' && c != '\0' && c != '\x1A') return false;
    }
    return true;
}

}  // namespace

std::vector<std::string_view> splitIso2709(std::string_view bytes) {
    std::vector<std::string_view> records;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const std::string_view rest = bytes.substr(pos);
        if (isTrailingJunk(rest)) break;
        const int length = readMarcNumber(rest, 0, 5);
        size_t size;
        if (length >= MarcLeader::leaderLength() && static_cast<size_t>(length) <= rest.size()) {
            size = static_cast<size_t>(length);
        } else {
            const size_t terminator = rest.find(kRecordTerminator);
            size = terminator == std::string_view::npos ? rest.size() : terminator + 1;
        }
        records.push_back(rest.substr(0, size));
        pos += size;
    }
    return records;
}
