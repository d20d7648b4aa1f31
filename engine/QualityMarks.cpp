#include "engine/QualityMarks.h"

#include <tuple>

#include "engine/MarcReader.h"

namespace {

class MarksHandler : public MarcHandler {
public:
    QualityMarks marks;

    void onLeader(const MarcLeader& leader) override {
        marks.marc = leader.bytes().size() > 17;
        if (marks.marc) marks.encodingLevel = leader.bytes()[17];
    }
    void onControlField(std::string_view, const MarcField&) override { ++marks.fields; }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        ++marks.fields;
        tag_ = tag;
        if (tag[0] == '6') marks.subjects = true;
        if (tag == "050" || tag == "082") marks.classification = true;
        if (tag == "040") {
            if (marks.source.empty()) marks.source.assign(field.subfield('a'));
            return true;  // $e repeats
        }
        return tag == "042";
    }
    void onSubfield(char code, std::string_view content) override {
        if (tag_ == "040" && code == 'e' && lowered(content) == "rda") marks.rda = true;
        if (tag_ == "042" && code == 'a' && lowered(content) == "pcc") marks.pcc = true;
    }

private:
    std::string_view tag_;

    static std::string lowered(std::string_view text) {
        std::string out(text);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        while (!out.empty() && out.back() == ' ') out.pop_back();
        return out;
    }
};

}  // namespace

QualityMarks qualityMarks(std::string_view iso2709) {
    MarksHandler handler;
    MarcReader().read(iso2709.data(), iso2709.size(), handler);
    return handler.marks;
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
