// Arbitrary bytes as an ISO 2709 record and as MARC text: the validator and
// the templates take anything, and text read and written again reads the
// same (what the reader took it keeps).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/MarcText.h"
#include "editor/TemplateBatch.h"
#include "validation/MarcValidator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const MarcSchema& schema = shippedMarcSchema();

    const MarcFields record = marcFieldsFromIso2709(bytes);
    for (const MarcFinding& finding : validateMarc(record, schema))
        if (finding.field != MarcFinding::kNoField && finding.field >= record.fields.size())
            std::abort();
    MarcTemplate recipe;
    recipe.moveControlNumber = recipe.dropExportTags = recipe.toUnicode = true;
    recipe.addFields = "=590  \\\\$aLocal\n";
    applyTemplateToIso2709(bytes, MarcCharset::Marc8, recipe, MarcTagPatterns("9XX"));

    const MarcTextParse parse = parseMarcText(bytes);
    if (parse.fieldLines.size() != parse.record.fields.size()) std::abort();
    validateMarc(parse.record, schema);
    const MarcTextParse again = parseMarcText(marcTextOf(parse.record));
    if (!again.problems.empty()) std::abort();
    return 0;
}
