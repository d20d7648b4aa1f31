#include "search/RecordBuilder.h"

#include <yaz/proto.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "records/BriefMarcHandler.h"
#include "records/BriefSutrsExtractor.h"
#include "records/BriefXmlExtractor.h"
#include "marc/MarcCharsetChoice.h"
#include "records/SruRecord.h"
#include "marc/UnicodeNfc.h"

namespace {

// Keeps the whole form the toolkit delivered, embedded zero bytes included, so
// that an export writes back exactly what the server sent.
std::string recordForm(ZOOM_record record, const char* type) {
    int length = 0;
    const char* data = ZOOM_record_get(record, type, &length);
    if (!data || length <= 0) return std::string();
    return std::string(data, static_cast<size_t>(length));
}

// The record's bytes as the server sent them. The toolkit's "raw" form decodes
// and re-encodes a MARC record, which costs as much as the rest of a fetch;
// it is used only when the record did not come as plain octets.
std::string rawMarc(ZOOM_record record) {
    int length = 0;
    const Z_External* ext =
        reinterpret_cast<const Z_External*>(ZOOM_record_get(record, "ext", &length));
    if (ext && ext->which == Z_External_octet && ext->u.octet_aligned &&
        ext->u.octet_aligned->buf && ext->u.octet_aligned->len > 0)
        return std::string(ext->u.octet_aligned->buf,
                           static_cast<size_t>(ext->u.octet_aligned->len));
    return recordForm(record, "raw");
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void fillMarc(Record& record, std::string iso2709, const Target& target) {
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

}  // namespace

RecordKind recordKindFromSyntax(const std::string& syntax) {
    if (syntax == "usmarc" || syntax == "marc21") return Marc;
    if (syntax == "xml") return Xml;
    if (syntax == "sutrs") return Sutrs;
    if (syntax == "opac") return Opac;
    // The toolkit names the syntax "GRS-1"; "grs1" is kept for other spellings.
    if (syntax == "grs1" || syntax == "grs-1") return Grs1;
    return Other;
}

Record buildRecord(ZOOM_record zoomRecord, const Target& target, const SettingsData& settings) {
    Record record;
    record.targetId = target.id;
    record.targetName = target.name;
    // The syntax name is text; cut it at its first zero byte.
    record.syntax = lowerCase(recordForm(zoomRecord, "syntax").c_str());
    record.kind = recordKindFromSyntax(record.syntax);

    switch (record.kind) {
        case Marc:
            fillMarc(record, rawMarc(zoomRecord), target);
            break;
        case Xml: {
            record.xmlText = toNfcXml(recordForm(zoomRecord, "xml"));
            record.xmlSchema = xmlSchemaFromElementSetName(target.elementsetname);
            BriefXmlExtractor extractor(settings, record.xmlSchema);
            extractor.run(record.xmlText);
            record.title = extractor.title;
            record.author = extractor.author;
            record.date = extractor.date;
            break;
        }
        case Sutrs: {
            record.rawData = recordForm(zoomRecord, "raw");
            BriefSutrsExtractor extractor(settings);
            extractor.run(record.rawData.data(), record.rawData.size());
            record.title = extractor.title;
            record.author = extractor.author;
            record.date = extractor.date;
            break;
        }
        case Opac:
            record.xmlText = recordForm(zoomRecord, "opac");
            record.rawData = recordForm(zoomRecord, "raw");
            break;
        case Grs1:
        case Other:
            break;
    }
    if (record.kind != Xml && record.kind != Marc)
        record.renderedText = recordForm(zoomRecord, "render");
    return record;
}

namespace {

std::vector<Record> sruRecords(SruXmlRecord sru, const std::string& xml, const Target& target,
                               const SettingsData& settings) {
    std::vector<Record> records;
    const auto started = [&] {
        Record& record = records.emplace_back();
        record.targetId = target.id;
        record.targetName = target.name;
        record.syntax = "xml";
        record.kind = Xml;
        return &record;
    };
    for (SruMarcRecord& marc : sru.marc) {
        Record* record = started();
        if (!marc.iso2709.empty()) {
            // Kept as the MARC record it holds, so it lists, shows and exports
            // as one from Z39.50.
            record->syntax = "marc21";
            fillMarc(*record, std::move(marc.iso2709), target);
            continue;
        }
        // Too long for ISO 2709: kept whole, as MARCXML.
        record->xmlSchema = MarcXml;
        record->xmlText = toNfcXml(marc.marcXml);
        BriefMarcHandler brief = briefMarcXmlFields(record->xmlText);
        record->title = std::move(brief.title);
        record->author = std::move(brief.author);
        record->date = std::move(brief.date);
    }
    if (!records.empty()) return records;
    Record* record = started();
    record->xmlSchema = sru.schema;
    record->xmlText = toNfcXml(xml);
    BriefXmlExtractor extractor(settings, record->xmlSchema);
    extractor.run(record->xmlText);
    record->title = extractor.title;
    record->author = extractor.author;
    record->date = extractor.date;
    return records;
}

}  // namespace

std::vector<Record> buildSruRecords(const std::string& xml, const Target& target,
                                    const SettingsData& settings) {
    return sruRecords(readSruXmlRecord(xml), xml, target, settings);
}

std::vector<Record> buildSruRecords(const SruResponseRecord& slot, const Target& target,
                                    const SettingsData& settings) {
    if (slot.iso2709.empty()) return buildSruRecords(slot.xml, target, settings);
    SruXmlRecord read;
    read.schema = MarcXml;
    for (const std::string& iso : slot.iso2709) read.marc.push_back({iso, std::string()});
    return sruRecords(std::move(read), slot.xml, target, settings);
}
