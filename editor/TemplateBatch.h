// A template applied to many records at once, with a report of what changed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/MarcTemplate.h"
#include "marc/MarcCharset.h"

struct TemplateOutcome {
    // The record's new ISO 2709; empty when the template changed nothing.
    std::string iso2709;
    std::vector<std::string> changes;
};

// Pure; any thread. The record read in its charset (converted to UTF-8 first
// when the template asks for it), the template applied, written anew.
TemplateOutcome applyTemplateToIso2709(std::string_view iso2709, MarcCharset charset,
                                       const MarcTemplate& recipe,
                                       const MarcTagPatterns& exportDrops);

struct TemplateReportLine {
    std::string record;  // how the report names it, e.g. its title
    std::vector<std::string> changes;
};

// Pure. "Template NAME: N of M records changed." then a line per changed
// record: "NAME OF RECORD: change; change".
std::string templateReport(const std::string& templateName,
                           const std::vector<TemplateReportLine>& lines);
