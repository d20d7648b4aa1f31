#include "editor/CorrectedRecord.h"

#include "marc/MarcCharsetChoice.h"
#include "records/BriefMarcHandler.h"

Record correctedRecord(const Record& received, std::string iso2709) {
    Record out;
    out.number = received.number;
    out.targetId = received.targetId;
    out.batchQuery = received.batchQuery;
    out.targetName = received.targetName;
    out.syntax = received.syntax;
    out.kind = Marc;
    out.rawData = std::move(iso2709);
    out.formsDeferred = true;
    // The editor saves UTF-8 with leader/09 "a", so the record itself tells
    // its charset; the target's setting was about the received bytes.
    const CharsetChoice choice = chooseMarcCharset(out.rawData, RecordCharsetSetting::Automatic);
    out.charsetChoice = packCharsetChoice(choice);
    out.replacements = static_cast<uint32_t>(replacementCount(out.rawData, choice.charset));
    BriefMarcHandler brief = briefMarcFields(out.rawData, choice.charset);
    out.title = std::move(brief.title);
    out.author = std::move(brief.author);
    out.date = std::move(brief.date);
    return out;
}
