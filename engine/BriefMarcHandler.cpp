#include "engine/BriefMarcHandler.h"

bool BriefMarcHandler::onDataField(std::string_view tag, const MarcField& field) {
    if (tag == "245") {
        title = field.text(2);
    } else if (tag == "260") {
        date.assign(field.subfield('c'));
    } else if (author.empty()) {
        // The whole 100 carries dates and relators the list is meant to show.
        if (tag == "100")
            author = field.text(2);
        else if (tag == "110" || tag == "700" || tag == "710")
            author.assign(field.subfield('a'));
    }
    return false;
}
