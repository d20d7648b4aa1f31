#include "editor/TemplateBatch.h"

#include "marc/CleanIso2709.h"

TemplateOutcome applyTemplateToIso2709(std::string_view iso2709, MarcCharset charset,
                                       const MarcTemplate& recipe,
                                       const MarcTagPatterns& exportDrops) {
    TemplateOutcome outcome;
    const std::string utf8 = recipe.toUnicode ? cleanIso2709(iso2709, charset) : std::string();
    MarcFields record = marcFieldsFromIso2709(recipe.toUnicode ? std::string_view(utf8) : iso2709);
    if (record.leader.empty()) return outcome;
    outcome.changes = applyMarcTemplate(record, recipe, exportDrops);
    if (recipe.toUnicode && charset != MarcCharset::Utf8)
        outcome.changes.insert(outcome.changes.begin(), "converted to UTF-8");
    if (!outcome.changes.empty()) outcome.iso2709 = marcFieldsToIso2709(record);
    return outcome;
}

std::string templateReport(const std::string& templateName,
                           const std::vector<TemplateReportLine>& lines) {
    std::string body;
    size_t changed = 0;
    for (const TemplateReportLine& line : lines) {
        if (line.changes.empty()) continue;
        ++changed;
        body += line.record + ":";
        const char* separator = " ";
        for (const std::string& change : line.changes) {
            body += separator + change;
            separator = "; ";
        }
        body += "\n";
    }
    return "Template " + templateName + ": " + std::to_string(changed) + " of " +
           std::to_string(lines.size()) + " records changed.\n" + body;
}
