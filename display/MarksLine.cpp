#include "display/MarksLine.h"

#include "display/MarksLegend.h"
#include "display/RecordPages.h"

std::string withMarksLine(const std::string& html, const QualityMarks& marks) {
    if (!marks.marc) return html;
    const std::string line = "<p><b>Marks:</b> <span title=\"" +
                             escapeHtml(qualityMarksWords(marks)) + "\">" +
                             escapeHtml(qualityMarksText(marks)) + "</span></p>";
    size_t at = 0;
    const size_t body = html.find("<body");
    if (body != std::string::npos) {
        const size_t end = html.find('>', body);
        if (end != std::string::npos) at = end + 1;
    }
    return html.substr(0, at) + line + html.substr(at);
}
