#include "display/MarksLine.h"

#include "display/RecordPages.h"

std::string withMarksLine(const std::string& html, const std::string& marks) {
    if (marks.empty()) return html;
    const std::string line = "<p><b>Marks:</b> " + escapeHtml(marks) + "</p>";
    size_t at = 0;
    const size_t body = html.find("<body");
    if (body != std::string::npos) {
        const size_t end = html.find('>', body);
        if (end != std::string::npos) at = end + 1;
    }
    return html.substr(0, at) + line + html.substr(at);
}
