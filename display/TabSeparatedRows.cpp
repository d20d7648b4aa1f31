#include "display/TabSeparatedRows.h"

namespace {

void appendLine(std::string& out, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += '\t';
        for (char c : cells[i]) out += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    }
    out += '\n';
}

}  // namespace

std::string tabSeparatedRows(const std::vector<std::string>& header,
                             const std::vector<std::vector<std::string>>& rows) {
    std::string out;
    appendLine(out, header);
    for (const std::vector<std::string>& row : rows) appendLine(out, row);
    return out;
}
