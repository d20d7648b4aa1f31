#include "display/MarksLegend.h"

#include <algorithm>

std::string qualityMarksWords(const QualityMarks& marks) {
    if (!marks.marc) return {};
    std::string words = "Encoding level: " + encodingLevelName(marks.encodingLevel);
    if (!marks.source.empty() || marks.rda) {
        words += "; source: " + marks.source;
        if (marks.rda) words += marks.source.empty() ? "RDA" : ", RDA";
    }
    if (marks.pcc) words += "; PCC";
    words += "; " + std::to_string(marks.fields) + (marks.fields == 1 ? " field" : " fields");
    if (marks.subjects) words += "; subjects";
    if (marks.classification) words += "; classification";
    return words;
}

uint32_t qualityMarksRank(const QualityMarks& marks) {
    if (!marks.marc) return 0;
    constexpr uint32_t kMostFields = (1u << 25) - 1;
    const uint32_t level = static_cast<uint32_t>(encodingLevelRank(marks.encodingLevel));
    const uint32_t fields = static_cast<uint32_t>(std::clamp(marks.fields, 0, int(kMostFields)));
    return 1u << 31 | level << 27 | uint32_t(marks.pcc) << 26 | uint32_t(marks.rda) << 25 | fields;
}
