#include "protocol/sru/SruRecords.h"

#include <utility>

#include "records/BriefMarcHandler.h"
#include "records/BriefXmlExtractor.h"
#include "records/RecordBuilder.h"
#include "records/SruRecord.h"
#include "marc/UnicodeNfc.h"

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
            fillMarcRecord(*record, std::move(marc.iso2709), target);
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
