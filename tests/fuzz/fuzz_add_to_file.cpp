// Feeds arbitrary bytes as the file a record is added to (ISO 2709, MARC text,
// MARCXML) and as the record itself, and to what one record's export proposes
// and warns about.
#include <cstddef>
#include <cstdint>
#include <string>

#include "records/Record.h"
#include "export/AddToFile.h"
#include "export/OneRecordFile.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t half = size / 2;
    Record record;
    record.kind = Marc;
    record.rawData = bytes.substr(half);
    record.xmlText = bytes.substr(half);
    record.title = bytes.substr(0, half);
    size_t total = suggestedFileName(record).size() + fieldsWithReplacements(record).size();
    for (FileExportKind kind :
         {FileExportKind::Marc, FileExportKind::MarcText, FileExportKind::Xml}) {
        const AddedFile added = addRecordToFile(bytes.substr(0, half), record, kind, {});
        total += added.bytes.size() + added.records + added.error.size();
    }
    sink = total;
    return 0;
}
