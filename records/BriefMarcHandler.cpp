#include "records/BriefMarcHandler.h"

#include "marc/MarcCharset.h"
#include "marc/MarcReader.h"

bool BriefMarcHandler::onDataField(std::string_view tag, const MarcField& field) {
    if (tag == "245") {
        title = field.text(2);
    } else if (tag == "260") {
        date.assign(field.subfield('c'));
        if (!date.empty()) dateFrom260_ = true;
    } else if (tag == "264") {
        const std::string_view bytes = field.bytes();
        if (!publication264Seen_ && bytes.size() > 1 && bytes[1] == '1') {
            publication264Seen_ = true;
            publication264_.assign(field.subfield('c'));
        }
    } else if (author.empty()) {
        // The whole 100 carries dates and relators the list is meant to show.
        if (tag == "100")
            author = field.text(2);
        else if (tag == "110" || tag == "700" || tag == "710")
            author.assign(field.subfield('a'));
    }
    return false;
}

void BriefMarcHandler::onRecordEnd() {
    if (!dateFrom260_ && date.empty()) date = publication264_;
}

BriefMarcHandler briefMarcFields(std::string_view iso2709) {
    return briefMarcFields(iso2709, marcCharset(iso2709));
}

BriefMarcHandler briefMarcFields(std::string_view iso2709, MarcCharset charset) {
    BriefMarcHandler brief;
    MarcReader().read(iso2709.data(), iso2709.size(), brief);
    brief.title = marcTextToUtf8(brief.title, charset);
    brief.author = marcTextToUtf8(brief.author, charset);
    brief.date = marcTextToUtf8(brief.date, charset);
    return brief;
}
