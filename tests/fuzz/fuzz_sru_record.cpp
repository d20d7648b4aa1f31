// Arbitrary text as an XML record from an SRU server, and as a PQF query for
// one: a MARCXML record read into ISO 2709 must read back as MARC with its
// forms made, and the query conversion must answer with CQL or an error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/MarcForms.h"
#include "engine/BriefMarcHandler.h"
#include "engine/PqfToCql.h"
#include "engine/SruRecord.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SruXmlRecord record = readSruXmlRecord(text);
    if (!record.iso2709.empty()) {
        if (record.schema != MarcXml || record.iso2709.size() < 24 || record.iso2709[9] != 'a')
            std::abort();
        const BriefMarcHandler brief = briefMarcFields(record.iso2709);
        sink = brief.title.size() + marcToXml(record.iso2709).size();
    }
    const CqlConversion cql = pqfToCql(text);
    if (cql.cql.empty() == cql.error.empty()) std::abort();
    sink = cql.cql.size() + cql.error.size();
    return 0;
}
