#include "engine/MarcForms.h"

#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>
#include <yaz/yaz-iconv.h>

#include "engine/MarcCharset.h"
#include "engine/Record.h"
#include "engine/Utf8.h"
#include "engine/WellFormedXml.h"

namespace {

std::string convert(const std::string& iso2709, int mode, MarcCharset charset) {
    if (iso2709.empty()) return std::string();
    yaz_marc_t marc = yaz_marc_create();
    yaz_marc_xml(marc, mode);
    // The same conversion as the toolkit's forms with "charset=marc8,utf-8".
    yaz_iconv_t cd = nullptr;
    if (charset == MarcCharset::Marc8) {
        cd = yaz_iconv_open("utf-8", "marc8");
        if (cd) yaz_marc_iconv(marc, cd);
    }
    WRBUF out = wrbuf_alloc();
    std::string result;
    if (yaz_marc_decode_wrbuf(marc, iso2709.data(), static_cast<int>(iso2709.size()), out) > 0)
        result.assign(wrbuf_buf(out), wrbuf_len(out));
    wrbuf_destroy(out);
    yaz_marc_destroy(marc);
    if (cd) yaz_iconv_close(cd);
    return result;
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
    // The toolkit's writer can break its own markup on a damaged record (bytes
    // copied into comments, a MARC-8 mark held back across an indicator).
    return wellFormedXml(wellFormedUtf8(convert(iso2709, YAZ_MARC_MARCXML, marcCharset(iso2709))));
}

std::string marcToText(const std::string& iso2709) {
    return convert(iso2709, YAZ_MARC_LINE, marcCharset(iso2709));
}

void completeRecordForms(Record& record) {
    if (!record.formsDeferred) return;
    record.xmlText = marcToXml(record.rawData);
    record.renderedText = marcToText(record.rawData);
    record.formsDeferred = false;
}
