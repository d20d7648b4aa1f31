#include "records/MarcForms.h"

#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include "marc/CleanIso2709.h"
#include "marc/MarcCharset.h"
#include "marc/MarcCharsetChoice.h"
#include "records/Record.h"
#include "marc/Utf8.h"
#include "xmlrecords/WellFormedXml.h"

namespace {

// The toolkit's writers get a clean UTF-8 copy: they are unsafe on damaged
// records and with their own MARC-8 decoder (see cleanIso2709). The text comes
// out as the toolkit's forms with "charset=marc8,utf-8" give it.
std::string convert(const std::string& iso2709, MarcCharset charset, int mode) {
    const std::string clean = cleanIso2709(iso2709, charset);
    if (clean.empty()) return std::string();
    yaz_marc_t marc = yaz_marc_create();
    yaz_marc_xml(marc, mode);
    WRBUF out = wrbuf_alloc();
    std::string result;
    if (yaz_marc_decode_wrbuf(marc, clean.data(), static_cast<int>(clean.size()), out) > 0)
        result.assign(wrbuf_buf(out), wrbuf_len(out));
    wrbuf_destroy(out);
    yaz_marc_destroy(marc);
    return result;
}

// The forms show the record's own leader, as the toolkit's do, where it can
// stand in the text unescaped; the clean copy's leader otherwise.
void restoreLeader(std::string& form, size_t at, const std::string& iso2709, char position9,
                   const char* after) {
    if (iso2709.size() < 24 || form.size() < at + 24 || form.compare(at + 24, 1, after) != 0)
        return;
    std::string leader = iso2709.substr(0, 24);
    if (position9) leader[9] = position9;
    for (const char c : leader)
        if (c < ' ' || c > '~' || c == '<' || c == '>' || c == '&' || c == '"' || c == '\'') return;
    form.replace(at, 24, leader);
}

// The toolkit copies the bytes of a UTF-8 record as they are, so one stray byte
// would make the document unreadable for an XML parser. Such a byte is read as
// Latin-1, as the screen reads it, except the MARC-8 non-sorting markers left
// behind, which become their Unicode counterparts; U+FFFE and U+FFFF, no XML
// characters, become U+FFFD.
std::string wellFormedUtf8(const std::string& xml) {
    std::string out;
    out.reserve(xml.size());
    walkUtf8(
        xml,
        [&](size_t pos, size_t length) {
            const bool nonCharacter = length == 3 && xml.compare(pos, 2, "\xEF\xBF") == 0 &&
                                      static_cast<unsigned char>(xml[pos + 2]) >= 0xBE;
            if (nonCharacter)
                out += "\xEF\xBF\xBD";
            else
                out.append(xml, pos, length);
        },
        [&](unsigned char byte) {
            appendLatin1(out, byte == 0x88 ? 0x98 : byte == 0x89 ? 0x9C : byte);
        });
    return out;
}

}  // namespace

std::string marcToXml(const std::string& iso2709) {
    return marcToXml(iso2709, marcCharset(iso2709));
}

std::string marcToText(const std::string& iso2709) {
    return marcToText(iso2709, marcCharset(iso2709));
}

MarcCharset recordCharset(const Record& record) {
    CharsetChoice choice;
    return unpackCharsetChoice(record.charsetChoice, choice) ? choice.charset
                                                             : marcCharset(record.rawData);
}

std::string marcToXml(const std::string& iso2709, MarcCharset charset) {
    std::string xml = convert(iso2709, charset, YAZ_MARC_MARCXML);
    const size_t leader = xml.find("<leader>");
    if (leader != std::string::npos) restoreLeader(xml, leader + 8, iso2709, 'a', "<");
    xml = wellFormedUtf8(xml);
    // The writer escapes all text it writes but its reader's comments, which may
    // hold bytes of a damaged record; only those need a parser's eye.
    return xml.find("<!--") == std::string::npos ? xml : wellFormedXml(xml);
}

std::string marcToText(const std::string& iso2709, MarcCharset charset) {
    std::string text = convert(iso2709, charset, YAZ_MARC_LINE);
    restoreLeader(text, 0, iso2709, 0, "\n");
    return text;
}

void completeRecordForms(Record& record) {
    if (!record.formsDeferred) return;
    const MarcCharset charset = recordCharset(record);
    record.xmlText = marcToXml(record.rawData, charset);
    record.renderedText = marcToText(record.rawData, charset);
    record.formsDeferred = false;
}
