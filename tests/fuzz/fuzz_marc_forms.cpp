// Arbitrary bytes as a MARC record whose forms and brief fields are made for the
// screen: the charset decision, the MARC-8 decoder and the MARCXML form, which
// must always parse. The first byte, when it is 'a' or ' ', is also put in
// leader position 9, so both charsets are reached. Every charset's UTF-8
// export and MARC text must be UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "xml/XmlDocument.h"
#include "records/BriefMarcHandler.h"
#include "marc/CleanIso2709.h"
#include "marc/MarcCharset.h"
#include "marc/MarcCharsetChoice.h"
#include "records/MarcForms.h"
#include "marc/ScreenText.h"
#include "marc/Utf8.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string record(reinterpret_cast<const char*>(data), size);
    if (size > 10 && (record[0] == 'a' || record[0] == ' ')) record[9] = record[0];

    const BriefMarcHandler brief = briefMarcFields(record);
    const std::string line = screenText(brief.title + brief.author + brief.date);
    if (!isUtf8(line)) std::abort();

    const std::string xml = marcToXml(record);
    if (!xml.empty()) {
        XmlDocument document;
        document.loadXml(xml);
        if (document.parseErrorCode() != 0) std::abort();
    }
    const std::string text = marcToText(record);
    const std::string decoded = marcTextToUtf8(record, MarcCharset::Marc8);
    size_t exported = 0;
    for (const MarcCharset charset : {MarcCharset::Utf8, MarcCharset::Marc8, MarcCharset::Latin1}) {
        const std::string utf8 = cleanIso2709(record, charset);
        if (!isUtf8(utf8)) std::abort();
        exported += utf8.size() + replacementCount(record, charset);
    }
    sink = line.size() + text.size() + decoded.size() + exported +
           static_cast<size_t>(chooseMarcCharset(record, RecordCharsetSetting::Automatic).reason);
    return 0;
}
