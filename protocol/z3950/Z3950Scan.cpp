#include "protocol/z3950/Z3950Scan.h"

#include <yaz/comstack.h>
#include <yaz/nmem.h>
#include <yaz/pquery.h>
#include <yaz/proto.h>
#include <yaz/query-charset.h>
#include <yaz/wrbuf.h>
#include <yaz/yaz-iconv.h>

#include "marc/MarcCharset.h"
#include "marc/MarcCharsetChoice.h"
#include "marc/Utf8.h"
#include "protocol/z3950/Z3950Session.h"

namespace {

Odr_int* odrInt(ODR out, int64_t value) {
    auto* number = static_cast<Odr_int*>(odr_malloc(out, sizeof(Odr_int)));
    *number = value;
    return number;
}

const Z_DefaultDiagFormat* defaultFormat(const Z_DiagRec* record) {
    return record && record->which == Z_DiagRec_defaultFormat ? record->u.defaultFormat : nullptr;
}

}  // namespace

Z_APDU* scanRequest(ODR out, const Z3950Options& options, const std::string& pqf,
                    int32_t number, int32_t position) {
    YAZ_PQF_Parser parser = yaz_pqf_create();
    Odr_oid* attributeSet = nullptr;
    Z_AttributesPlusTerm* start = yaz_pqf_scan(parser, out, &attributeSet, pqf.c_str());
    yaz_pqf_destroy(parser);
    if (!start) return nullptr;
    if (!options.rpnCharset.empty()) {
        yaz_iconv_t cd = yaz_iconv_open(options.rpnCharset.c_str(), "UTF-8");
        if (!cd) return nullptr;
        // The toolkit checks a conversion only for a whole query: the term
        // goes in as one.
        auto* operand = static_cast<Z_Operand*>(odr_malloc(out, sizeof(Z_Operand)));
        operand->which = Z_Operand_APT;
        operand->u.attributesPlusTerm = start;
        auto* structure = static_cast<Z_RPNStructure*>(odr_malloc(out, sizeof(Z_RPNStructure)));
        structure->which = Z_RPNStructure_simple;
        structure->u.simple = operand;
        Z_RPNQuery query{attributeSet, structure};
        const int failed = yaz_query_charset_convert_rpnquery_check(&query, out, cd);
        yaz_iconv_close(cd);
        if (failed) return nullptr;
    }
    Z_APDU* apdu = zget_APDU(out, Z_APDU_scanRequest);
    Z_ScanRequest* scan = apdu->u.scanRequest;
    const char* args = nullptr;
    cs_get_host_args(options.address.c_str(), &args);
    nmem_strsplit(odr_getmem(out), "+", args && *args ? args : "Default", &scan->databaseNames,
                  &scan->num_databaseNames);
    scan->attributeSet = attributeSet;
    scan->termListAndStartPoint = start;
    scan->stepSize = odrInt(out, 0);
    *scan->numberOfTermsRequested = number;
    scan->preferredPositionInResponse = odrInt(out, position);
    return apdu;
}

std::vector<Z3950ScanEntry> scanEntries(const Z_ScanResponse* response,
                                        const Z_DefaultDiagFormat** diagnostic) {
    std::vector<Z3950ScanEntry> entries;
    *diagnostic = nullptr;
    const Z_ListEntries* list = response->entries;
    if (list && list->num_nonsurrogateDiagnostics > 0 && list->nonsurrogateDiagnostics)
        *diagnostic = defaultFormat(list->nonsurrogateDiagnostics[0]);
    if (!list || !list->entries) return entries;
    for (int i = 0; i < list->num_entries; ++i) {
        const Z_Entry* entry = list->entries[i];
        if (!entry || entry->which != Z_Entry_termInfo || !entry->u.termInfo) continue;
        const Z_TermInfo* info = entry->u.termInfo;
        const Z_Term* term = info->term;
        if (!term) continue;
        Z3950ScanEntry e;
        if (term->which == Z_Term_general && term->u.general && term->u.general->buf)
            e.term.assign(term->u.general->buf, static_cast<size_t>(term->u.general->len));
        else if (term->which == Z_Term_characterString && term->u.characterString)
            e.term = term->u.characterString;
        else
            continue;
        if (info->displayTerm) e.display = info->displayTerm;
        if (info->globalOccurrences) e.count = *info->globalOccurrences;
        entries.push_back(std::move(e));
    }
    // Terms that came carry the scan, whatever went wrong after them.
    if (!entries.empty()) *diagnostic = nullptr;
    return entries;
}

std::string scanTermUtf8(const std::string& bytes, const std::string& rpnCharset,
                         const std::string& recordCharset) {
    if (!rpnCharset.empty()) {
        yaz_iconv_t cd = yaz_iconv_open("UTF-8", rpnCharset.c_str());
        if (cd) {
            WRBUF out = wrbuf_alloc();
            const int ok = wrbuf_iconv_write2(out, cd, bytes.data(), bytes.size(), wrbuf_write);
            wrbuf_iconv_reset(out, cd);
            yaz_iconv_close(cd);
            std::string text(wrbuf_buf(out), wrbuf_len(out));
            wrbuf_destroy(out);
            if (ok == 0 && isUtf8(text)) return text;
        }
    }
    switch (recordCharsetSetting(recordCharset)) {
        case RecordCharsetSetting::Marc8:
            return marcTextToUtf8(bytes, MarcCharset::Marc8);
        case RecordCharsetSetting::Latin1:
            return marcTextToUtf8(bytes, MarcCharset::Latin1);
        default:
            return marcTextToUtf8(bytes, MarcCharset::Utf8Latin1);
    }
}
