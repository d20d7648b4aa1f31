#include "copies/QualityMarks.h"

#include <tuple>

#include "marc/MarcReader.h"

namespace {

bool equalsLowered(std::string_view text, std::string_view word) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != word[i]) return false;
    }
    return true;
}

}  // namespace

void QualityMarksReader::onLeader(const MarcLeader& leader) {
    marks.marc = leader.bytes().size() > 17;
    if (marks.marc) marks.encodingLevel = leader.bytes()[17];
}

void QualityMarksReader::onControlField(std::string_view, const MarcField&) { ++marks.fields; }

bool QualityMarksReader::onDataField(std::string_view tag, const MarcField& field) {
    return onDataField(marcTagNumber(tag), field);
}

bool QualityMarksReader::onNotedField(const MarcField& field) {
    switch (tag_) {
        case 50:
        case 82:
            marks.classification = true;
            return false;
        case 40:
            if (marks.source.empty()) marks.source.assign(field.subfield('a'));
            return true;  // $e repeats
        case 42:
            return true;
        default:
            return false;
    }
}

void QualityMarksReader::onSubfield(char code, std::string_view content) {
    if (tag_ == 40 && code == 'e' && equalsLowered(content, "rda")) marks.rda = true;
    if (tag_ == 42 && code == 'a' && equalsLowered(content, "pcc")) marks.pcc = true;
}

QualityMarks qualityMarks(std::string_view iso2709) {
    QualityMarksReader reader;
    MarcReader().read(iso2709.data(), iso2709.size(), reader);
    return reader.marks;
}

int encodingLevelRank(char level) {
    switch (level) {
        case ' ':
        case 'I':  // OCLC's full level
            return 9;
        case '1':
            return 8;
        case '4':
            return 7;
        case '2':
        case 'K':
        case 'L':
            return 6;
        case '5':
            return 5;
        case '3':
        case '7':
        case 'M':
            return 4;
        case '8':
            return 2;
        default:
            return 0;
    }
}

std::string encodingLevelName(char level) {
    switch (encodingLevelRank(level)) {
        case 9:
            return "full";
        case 8:
            return "full, not examined";
        case 7:
            return "core";
        case 6:
            return "less than full";
        case 5:
            return "partial";
        case 4:
            return "minimal";
        case 2:
            return "prepublication";
        default:
            return "unknown level";
    }
}

std::string qualityMarksText(const QualityMarks& marks) {
    if (!marks.marc) return {};
    std::string text = encodingLevelName(marks.encodingLevel);
    if (marks.pcc) text += " · PCC";
    if (marks.rda) text += " · RDA";
    text += " · " + std::to_string(marks.fields) + " fields";
    if (marks.subjects) text += " · subjects";
    if (marks.classification) text += " · class";
    if (!marks.source.empty()) text += " · " + marks.source;
    return text;
}

bool betterCopy(const QualityMarks& a, const QualityMarks& b) {
    const auto rank = [](const QualityMarks& m) {
        return std::make_tuple(m.marc, encodingLevelRank(m.encodingLevel), m.pcc, m.rda, m.fields);
    };
    return rank(a) > rank(b);
}
