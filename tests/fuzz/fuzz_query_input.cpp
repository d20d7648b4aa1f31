// Feeds arbitrary bytes as a numbers file to the batch reader, and as a term to
// the query composers, whose output the toolkit must read back term for term.
#include <yaz/odr.h>
#include <yaz/pquery.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "search/SearchQuery.h"
#include "query/BatchFileReader.h"
#include "query/QueryComposer.h"

namespace {

void checkTermReadsBack(const std::string& pqf, const std::string& term) {
    ODR odr = odr_createmem(ODR_ENCODE);
    YAZ_PQF_Parser parser = yaz_pqf_create();
    const Z_RPNQuery* rpn = yaz_pqf_parse(parser, odr, pqf.c_str());
    if (!rpn || rpn->RPNStructure->which != Z_RPNStructure_simple) std::abort();
    const Z_Term* read = rpn->RPNStructure->u.simple->u.attributesPlusTerm->term;
    if (std::string(reinterpret_cast<const char*>(read->u.general->buf),
                    static_cast<size_t>(read->u.general->len)) != term)
        std::abort();
    yaz_pqf_destroy(parser);
    odr_destroy(odr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream file(bytes);
    BatchNumberList list;
    addBatchNumbersFrom(file, list);
    for (const std::string& n : list.numbers())
        if (n.size() != 8 && n.size() != 10 && n.size() != 13) std::abort();
    SearchQuery query;
    for (const std::string& pqf : list.queries())
        if (!query.compile(pqf)) std::abort();

    // A term reaches the toolkit as a C string: it ends at the first NUL.
    const std::string term = bytes.substr(0, bytes.find('\0'));
    SearchAttribute title{"Title", "@attr 1=4"}, author;
    if (!term.empty()) checkTermReadsBack(composeBasicQuery(term, "", title, author), term);
    checkTermReadsBack(appendPqfTerm(term, "@attr 1=4", "@and", ""), term);
    return 0;
}
