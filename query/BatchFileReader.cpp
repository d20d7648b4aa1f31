#include "query/BatchFileReader.h"

namespace {

bool blankOrComment(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

}  // namespace

std::vector<RefusedLine> addBatchNumbersFrom(std::istream& in, BatchNumberList& list) {
    std::vector<RefusedLine> refused;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = stripLineEnd(line);
        if (blankOrComment(line)) continue;
        std::string message;
        const BatchNumberList::AddResult added = list.addBatchNumber(line, message);
        if (added == BatchNumberList::AddResult::Added) continue;
        refused.push_back({number, message});
        // A number listed twice is reported on its first line.
        if (added != BatchNumberList::AddResult::Duplicate) list.noteRefused(line, message);
    }
    return refused;
}

std::string refusedLinesSummary(const std::vector<RefusedLine>& refused) {
    if (refused.empty()) return std::string();
    // A file of hundreds of bad lines must still fit a message box.
    constexpr size_t kNamed = 10;
    std::string text = std::to_string(refused.size()) +
                       (refused.size() == 1 ? " line not loaded: " : " lines not loaded: ");
    for (size_t i = 0; i < refused.size() && i < kNamed; ++i)
        text += (i ? ", line " : "line ") + std::to_string(refused[i].line);
    if (refused.size() > kNamed) text += ", \xE2\x80\xA6";
    return text;
}

std::string refusedLinesDetail(const std::vector<RefusedLine>& refused) {
    std::string text;
    for (const RefusedLine& r : refused)
        text += "line " + std::to_string(r.line) + ": " + r.message + "\n";
    if (!text.empty()) text.pop_back();
    return text;
}
