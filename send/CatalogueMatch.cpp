#include "send/CatalogueMatch.h"

#include "copies/RecordIdentifiers.h"
#include "marc/StandardNumber.h"
#include "send/OverlayRecord.h"

namespace {

std::string quoted(const std::string& term) {
    std::string out = "\"";
    for (const char c : term)
        if (c != '"' && c != '\\') out.push_back(c);
    return out + "\"";
}

}  // namespace

std::vector<std::string> duplicateQueries(std::string_view iso2709) {
    std::vector<std::string> terms;
    const std::string number = controlNumber(iso2709);
    if (!number.empty()) terms.push_back("@attr 1=12 " + quoted(number));
    for (const std::string& key : recordIdentifiers(iso2709).keys) {
        const size_t colon = key.find(':');
        const std::string kind = key.substr(0, colon);
        const std::string value = key.substr(colon + 1);
        if (kind == "isbn") {
            terms.push_back("@attr 1=7 " + quoted(value));
            const std::string ten = isbnAs10(value);
            if (!ten.empty()) terms.push_back("@attr 1=7 " + quoted(ten));
        } else if (kind == "issn") {
            // Catalogues keep the hyphen, and a word index splits there.
            terms.push_back("@attr 1=8 @attr 4=1 " + quoted(value.substr(0, 4) + "-" + value.substr(4)));
        } else if (kind == "lccn") {
            terms.push_back("@attr 1=9 " + quoted(value));
        } else if (kind == "oclc") {
            terms.push_back("@attr 1=1007 " + quoted(value));
        }
    }
    return terms;
}

bool sameIdentifiers(std::string_view incoming, std::string_view candidate) {
    const std::string number = controlNumber(incoming);
    if (!number.empty() && number == controlNumber(candidate)) return true;
    const std::vector<std::string> theirs = recordIdentifiers(candidate).keys;
    for (const std::string& key : recordIdentifiers(incoming).keys)
        for (const std::string& other : theirs)
            if (key == other) return true;
    return false;
}
