#include "records/RecordBuilder.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "records/BriefMarcHandler.h"
#include "records/BriefSutrsExtractor.h"
#include "records/BriefXmlExtractor.h"
#include "marc/MarcCharsetChoice.h"
#include "marc/UnicodeNfc.h"

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

void fillMarcRecord(Record& record, std::string iso2709, const Target& target) {
    record.kind = Marc;
    record.rawData = std::move(iso2709);
    record.formsDeferred = true;
    const CharsetChoice choice =
        chooseMarcCharset(record.rawData, recordCharsetSetting(target.recordCharset));
    record.charsetChoice = packCharsetChoice(choice);
    record.replacements = static_cast<uint32_t>(replacementCount(record.rawData, choice.charset));
    BriefMarcHandler brief = briefMarcFields(record.rawData, choice.charset);
    record.title = std::move(brief.title);
    record.author = std::move(brief.author);
    record.date = std::move(brief.date);
}

RecordKind recordKindFromSyntax(const std::string& syntax) {
    if (syntax == "usmarc" || syntax == "marc21") return Marc;
    if (syntax == "xml") return Xml;
    if (syntax == "sutrs") return Sutrs;
    if (syntax == "opac") return Opac;
    // The toolkit names the syntax "GRS-1"; "grs1" is kept for other spellings.
    if (syntax == "grs1" || syntax == "grs-1") return Grs1;
    return Other;
}

Record buildRecord(const RecordSource& source, const Target& target, const SettingsData& settings) {
    Record record;
    record.targetId = target.id;
    record.targetName = target.name;
    // The syntax name is text; cut it at its first zero byte.
    record.syntax = lowerCase(source.form("syntax").c_str());
    record.kind = recordKindFromSyntax(record.syntax);

    switch (record.kind) {
        case Marc:
            {
            std::string octets = source.marcOctets();
            fillMarcRecord(record, octets.empty() ? source.form("raw") : std::move(octets), target);
        }
            break;
        case Xml: {
            record.xmlText = toNfcXml(source.form("xml"));
            record.xmlSchema = xmlSchemaFromElementSetName(target.elementsetname);
            BriefXmlExtractor extractor(settings, record.xmlSchema);
            extractor.run(record.xmlText);
            record.title = extractor.title;
            record.author = extractor.author;
            record.date = extractor.date;
            break;
        }
        case Sutrs: {
            record.rawData = source.form("raw");
            BriefSutrsExtractor extractor(settings);
            extractor.run(record.rawData.data(), record.rawData.size());
            record.title = extractor.title;
            record.author = extractor.author;
            record.date = extractor.date;
            break;
        }
        case Opac:
            record.xmlText = source.form("opac");
            record.rawData = source.form("raw");
            break;
        case Grs1:
        case Other:
            break;
    }
    if (record.kind != Xml && record.kind != Marc)
        record.renderedText = source.form("render");
    return record;
}

