#include "records/BriefLine.h"

namespace {

void appendFlattened(std::string& out, const std::string& value) {
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        out.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
    }
}

}  // namespace

std::string briefLine(const std::string& title, const std::string& author,
                      const std::string& date) {
    std::string line;
    line.reserve(title.size() + author.size() + date.size() + 2);
    appendFlattened(line, title);
    line.push_back('\t');
    appendFlattened(line, author);
    line.push_back('\t');
    appendFlattened(line, date);
    return line;
}

std::string briefValue(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    appendFlattened(out, value);
    return out;
}
