// Records from servers, put together as one export file: the input, split at
// 0x00 bytes, gives the records (the first byte of each picks MARC or XML).
// The XML document must parse whatever the records held.
#include <libxml/parser.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/Record.h"
#include "export/ManyRecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    ManyRecordFile marc(FileExportKind::Marc), xml(FileExportKind::Xml);
    for (size_t at = 0; at < input.size();) {
        size_t end = input.find('\0', at);
        if (end == std::string::npos) end = input.size();
        Record record;
        record.kind = (input[at] & 1) ? Marc : Xml;
        record.rawData = record.xmlText =
            end > at ? input.substr(at + 1, end - at - 1) : std::string();
        marc.add(record);
        xml.add(record);
        at = end + 1;
    }
    marc.finish();
    const std::string document = xml.finish();
    if (!document.empty()) {
        xmlDoc* doc = xmlReadMemory(
            document.data(), static_cast<int>(document.size()), nullptr, nullptr,
            XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
        if (!doc) std::abort();
        xmlFreeDoc(doc);
    }
    return 0;
}
