// How much care went into a MARC record, read once when it arrives: what a
// cataloguer looks at before copying it.
#pragma once

#include <string>
#include <string_view>

#include "marc/MarcHandler.h"

struct QualityMarks {
    bool marc = false;         // false: not a MARC record, nothing below is known
    char encodingLevel = ' ';  // leader/17
    std::string source;        // 040 $a
    bool rda = false;          // 040 $e rda
    bool pcc = false;          // 042 pcc
    int fields = 0;
    bool subjects = false;        // any 6XX
    bool classification = false;  // 050 or 082
};

// Any thread. The marks of an ISO 2709 record.
QualityMarks qualityMarks(std::string_view iso2709);

// The same as a handler, for readers that take more from the record in the
// same pass. One object per record.
class QualityMarksReader : public MarcHandler {
public:
    QualityMarks marks;

    void onLeader(const MarcLeader& leader) override;
    void onControlField(std::string_view tag, const MarcField& field) override;
    bool onDataField(std::string_view tag, const MarcField& field) override;
    // The same with the tag as marcTagNumber gives it; inline, as most fields
    // are only counted.
    bool onDataField(int tag, const MarcField& field) {
        ++marks.fields;
        tag_ = tag;
        if (!field.tag().empty() && field.tag()[0] == '6') marks.subjects = true;
        return (tag == 40 || tag == 42 || tag == 50 || tag == 82) && onNotedField(field);
    }
    void onSubfield(char code, std::string_view content) override;

private:
    // 040, 042, 050, 082.
    bool onNotedField(const MarcField& field);

    int tag_ = -1;
};

// Pure. Higher is fuller: full, core, less-than-full, partial, minimal,
// prepublication; unknown codes lowest.
int encodingLevelRank(char level);
// Pure. "full", "minimal", "prepublication"...
std::string encodingLevelName(char level);
// Pure. The compact form for the list and the record page,
// e.g. "full · PCC · RDA · 42 fields · subjects · class"; "" for non-MARC.
std::string qualityMarksText(const QualityMarks& marks);
// Pure. True when a is the better copy to take: higher encoding level, then
// PCC, then RDA, then more fields. Equal copies answer false both ways.
bool betterCopy(const QualityMarks& a, const QualityMarks& b);
