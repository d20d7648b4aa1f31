// Arbitrary text as an XML record from an SRU server, as its searchRetrieve
// response (records as text lifted out of it, or as elements read on the
// way), and as a PQF query for one: a MARCXML record read into ISO 2709
// must read back as MARC with its forms made, one kept as MARCXML must give
// brief fields, and the query conversion must answer with CQL or an error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/BriefMarcHandler.h"
#include "records/MarcForms.h"
#include "protocol/sru/PqfToCql.h"
#include "records/SruRecord.h"
#include "protocol/sru/SruRecordText.h"
#include "protocol/sru/SruResponse.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SruXmlRecord record = readSruXmlRecord(text);
    for (const SruMarcRecord& marc : record.marc) {
        if (record.schema != MarcXml || marc.iso2709.empty() == marc.marcXml.empty()) std::abort();
        if (marc.iso2709.empty()) {
            sink = briefMarcXmlFields(marc.marcXml).title.size();
            continue;
        }
        if (marc.iso2709.size() < 24 || marc.iso2709[9] != 'a') std::abort();
        const BriefMarcHandler brief = briefMarcFields(marc.iso2709);
        sink = brief.title.size() + marcToXml(marc.iso2709).size();
    }
    const SruSearchResponse response = parseSruSearchResponse(text);
    for (const SruDiagnostic& d : response.diagnostics) sink = sruDiagnosticText(d).size();
    for (const SruResponseRecord& r : response.records)
        for (const std::string& iso : r.iso2709)
            if (iso.size() < 24 || iso[9] != 'a') std::abort();
    const LiftedRecordTexts lifted = liftRecordTexts(text);
    for (const LiftedRecordTexts::Text& t : lifted.texts) {
        if (t.at > lifted.skeleton.size()) std::abort();
        std::string plain;
        if (unescapeXmlText(t.escaped, plain) && plain.size() > t.escaped.size()) std::abort();
    }
    sink = response.records.size();
    const CqlConversion cql = pqfToCql(text);
    if (cql.cql.empty() == cql.error.empty()) std::abort();
    sink = cql.cql.size() + cql.error.size();
    return 0;
}
