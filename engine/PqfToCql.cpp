#include "engine/PqfToCql.h"

#include <yaz/diagbib1.h>
#include <yaz/pquery.h>
#include <yaz/rpn2cql.h>
#include <yaz/wrbuf.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct TransformCloser {
    void operator()(cql_transform_t_* ct) const { cql_transform_close(ct); }
};
using Transform = std::unique_ptr<cql_transform_t_, TransformCloser>;

Transform openMapping(const std::string& mappingFile) {
    if (!mappingFile.empty()) return Transform(cql_transform_open_fname(mappingFile.c_str()));
    FILE* text = fmemopen(const_cast<char*>(kShippedCqlMapping), std::strlen(kShippedCqlMapping),
                          "r");
    if (!text) return Transform();
    Transform ct(cql_transform_open_FILE(text));
    std::fclose(text);
    return ct;
}

std::string conversionError(int code, const std::string& addinfo) {
    if (code == YAZ_BIB1_UNSUPP_USE_ATTRIBUTE)
        return "No CQL index for Bib-1 use attribute " + addinfo;
    std::string text = std::string("No CQL counterpart: ") + diagbib1_str(code) + " (" +
                       std::to_string(code) + ")";
    return addinfo.empty() ? text : text + " " + addinfo;
}

void appendTo(const char* text, void* out) { static_cast<std::string*>(out)->append(text); }

}  // namespace

CqlConversion pqfToCql(const std::string& pqf, const std::string& mappingFile) {
    CqlConversion result;
    const Transform ct = openMapping(mappingFile);
    if (!ct) {
        result.error = "Cannot read the CQL mapping file " + mappingFile;
        return result;
    }
    ODR odr = odr_createmem(ODR_ENCODE);
    YAZ_PQF_Parser parser = yaz_pqf_create();
    Z_RPNQuery* rpn = yaz_pqf_parse(parser, odr, pqf.c_str());
    if (!rpn) {
        const char* message = nullptr;
        size_t offset = 0;
        yaz_pqf_error(parser, &message, &offset);
        result.error = std::string("Bad PQF query: ") + (message ? message : "") + " at " +
                       std::to_string(offset);
    } else {
        WRBUF addinfo = wrbuf_alloc();
        const int code = cql_transform_rpn2cql_stream_r(ct.get(), addinfo, appendTo, &result.cql, rpn);
        if (code != 0) {
            result.error = conversionError(code, wrbuf_cstr(addinfo));
            result.cql.clear();
        }
        wrbuf_destroy(addinfo);
    }
    yaz_pqf_destroy(parser);
    odr_destroy(odr);
    return result;
}
