#include "records/BriefXmlExtractor.h"

#include <array>
#include <boost/regex.hpp>
#include <exception>

#include "base/UserMessage.h"
#include "marc/UnicodeNfc.h"
#include "xml/XmlDocument.h"

namespace {

// Longer texts do not fit the message box that shows them.
constexpr std::size_t kMaxMessage = 255;

using Expressions = std::array<const std::string*, 3>;

// Title, author and date expressions of the schema; none for other XML.
Expressions expressionsFor(const SettingsData& s, XmlSchema schema) {
    switch (schema) {
        case MarcXml:
            return {&s.DisplayMARCXMLTitleXPATH, &s.DisplayMARCXMLAuthorXPATH,
                    &s.DisplayMARCXMLDateXPATH};
        case Mods:
            return {&s.DisplayMODSTitleXPATH, &s.DisplayMODSAuthorXPATH, &s.DisplayMODSDateXPATH};
        case DublinCore:
            return {&s.DisplayDCTitleXPATH, &s.DisplayDCAuthorXPATH, &s.DisplayDCDateXPATH};
        case OtherXml:
            break;
    }
    return {};
}

void selectInto(const XmlDocument& document, const std::string& expression, std::string& field) {
    if (expression.empty()) return;
    // Composed also where the record spelt an accent as a character reference.
    if (auto text = document.selectSingleNodeText(expression)) field = toNfc(*text);
}

}  // namespace

std::string rewriteXmlRecordRoot(const std::string& xmlText, XmlSchema schema) {
    // Compiled once; a const boost::regex may be used by many threads at once.
    static const boost::regex marcRoot("<record(.*?)>");
    static const boost::regex modsRoot("<mods(.*?)>");
    static const boost::regex dcRoot("<srw_dc:dc(.*?)>");
    static const boost::regex dcEnd("</srw_dc:dc>");
    switch (schema) {
        case MarcXml:
            return boost::regex_replace(xmlText, marcRoot, "<record>");
        case Mods:
            return boost::regex_replace(xmlText, modsRoot, "<mods>");
        case DublinCore:
            return boost::regex_replace(boost::regex_replace(xmlText, dcRoot, "<dc>"), dcEnd,
                                        "</dc>");
        case OtherXml:
            break;
    }
    return xmlText;
}

BriefXmlExtractor::BriefXmlExtractor(const SettingsData& settings, XmlSchema schema)
    : settings_(settings), schema_(schema) {}

bool BriefXmlExtractor::run(const std::string& xmlText) {
    try {
        XmlDocument document;
        document.loadXml(rewriteXmlRecordRoot(xmlText, schema_));
        if (document.parseErrorCode() != 0) {
            showUserMessage("Error Parsing XML Record");
            return false;
        }
        const Expressions expressions = expressionsFor(settings_, schema_);
        std::string* fields[] = {&title, &author, &date};
        for (std::size_t i = 0; i < expressions.size(); ++i)
            if (expressions[i]) selectInto(document, *expressions[i], *fields[i]);
        return true;
    } catch (const XmlError&) {
        // An expression the library rejects: the user sees the empty field.
        return false;
    } catch (const std::exception& e) {
        showUserMessage(std::string(e.what()).substr(0, kMaxMessage));
        return false;
    }
}
