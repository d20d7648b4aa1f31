#include "engine/MarcForms.h"

#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include "engine/Record.h"

namespace {

std::string convert(const std::string& iso2709, int mode) {
    if (iso2709.empty()) return std::string();
    yaz_marc_t marc = yaz_marc_create();
    yaz_marc_xml(marc, mode);
    WRBUF out = wrbuf_alloc();
    std::string result;
    if (yaz_marc_decode_wrbuf(marc, iso2709.data(), static_cast<int>(iso2709.size()), out) > 0)
        result.assign(wrbuf_buf(out), wrbuf_len(out));
    wrbuf_destroy(out);
    yaz_marc_destroy(marc);
    return result;
}

}  // namespace

std::string marcToXml(const std::string& iso2709) { return convert(iso2709, YAZ_MARC_MARCXML); }

std::string marcToText(const std::string& iso2709) { return convert(iso2709, YAZ_MARC_LINE); }

void completeRecordForms(Record& record) {
    if (!record.formsDeferred) return;
    record.xmlText = marcToXml(record.rawData);
    record.renderedText = marcToText(record.rawData);
    record.formsDeferred = false;
}
