#include "protocol/sru/PqfToCql.h"

#include <yaz/diagbib1.h>
#include <yaz/pquery.h>
#include <yaz/rpn2cql.h>
#include <yaz/wrbuf.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TransformCloser {
    void operator()(cql_transform_t_* ct) const { cql_transform_close(ct); }
};
using Transform = std::unique_ptr<cql_transform_t_, TransformCloser>;

Transform openMapping(const std::string& mappingFile) {
    if (!mappingFile.empty()) return Transform(cql_transform_open_fname(mappingFile.c_str()));
    FILE* text =
        fmemopen(const_cast<char*>(kShippedCqlMapping), std::strlen(kShippedCqlMapping), "r");
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

// The transform rewrites terms by rules of its own (it drops backslashes and
// quotes only at blanks), so each term goes through it as a plain token and
// is put back afterwards, escaped and quoted as CQL wants. The token's stem
// is made longer until nothing the user typed contains it.
std::string termStem(const std::string& pqf) {
    std::string stem = "QRNTERM";
    while (pqf.find(stem) != std::string::npos) stem += 'Q';
    return stem;
}

bool masksByItself(const Z_AttributeList* attributes) {
    for (int i = 0; attributes && i < attributes->num_attributes; ++i) {
        const Z_AttributeElement* a = attributes->attributes[i];
        if (*a->attributeType == 5 && a->which == Z_AttributeValue_numeric) {
            const Odr_int value = *a->value.numeric;
            if (value != 1 && value != 2 && value != 3 && value != 100) return true;
        }
    }
    return false;
}

void takeTerms(Z_RPNStructure* node, ODR odr, const std::string& stem,
               std::vector<std::string>& terms) {
    if (node->which == Z_RPNStructure_complex) {
        takeTerms(node->u.complex->s1, odr, stem, terms);
        takeTerms(node->u.complex->s2, odr, stem, terms);
        return;
    }
    if (node->u.simple->which != Z_Operand_APT) return;
    Z_AttributesPlusTerm* apt = node->u.simple->u.attributesPlusTerm;
    Z_Term* term = apt->term;
    if (term->which != Z_Term_general || masksByItself(apt->attributes)) return;
    const std::string token = stem + std::to_string(terms.size()) + "X";
    terms.emplace_back(reinterpret_cast<const char*>(term->u.general->buf),
                       static_cast<size_t>(term->u.general->len));
    term->u.general = odr_create_Odr_oct(odr, token.c_str(), static_cast<int>(token.size()));
}

bool needsQuotes(const std::string& term) {
    if (term.empty()) return true;
    for (const unsigned char c : term)
        if (std::isspace(c) || (c && std::strchr("()=<>/\"", c))) return true;
    std::string lower;
    for (const unsigned char c : term) lower += static_cast<char>(std::tolower(c));
    return lower == "and" || lower == "or" || lower == "not" || lower == "prox" ||
           lower == "sortby";
}

std::string cqlTerm(const std::string& term, const std::string& before, const std::string& after) {
    std::string escaped;
    for (const char c : term) {
        if (c && std::strchr("\\\"*?^", c)) escaped += '\\';
        escaped += c;
    }
    const std::string whole = before + escaped + after;
    return needsQuotes(term) ? "\"" + whole + "\"" : whole;
}

// False when a token is not one takeTerms made (a mapping that writes the
// stem itself): no query is sent rather than a wrong one.
bool withTerms(const std::string& cql, const std::string& stem,
               const std::vector<std::string>& terms, std::string& out) {
    size_t at = 0;
    for (;;) {
        const size_t found = cql.find(stem, at);
        if (found == std::string::npos) break;
        size_t start = found;
        while (start > at && (cql[start - 1] == '*' || cql[start - 1] == '?')) --start;
        const size_t digits = found + stem.size();
        size_t x = digits;
        size_t index = 0;
        while (x < cql.size() && std::isdigit(static_cast<unsigned char>(cql[x])) && x - digits < 9)
            index = index * 10 + static_cast<size_t>(cql[x++] - '0');
        if (x == digits || x >= cql.size() || cql[x] != 'X' || index >= terms.size()) return false;
        size_t end = x + 1;
        while (end < cql.size() && (cql[end] == '*' || cql[end] == '?')) ++end;
        out += cql.substr(at, start - at);
        out += cqlTerm(terms.at(index), cql.substr(start, found - start),
                       cql.substr(x + 1, end - x - 1));
        at = end;
    }
    out += cql.substr(at);
    return true;
}

CqlConversion convert(const Transform& ct, const std::string& pqf) {
    CqlConversion result;
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
        const std::string stem = termStem(pqf);
        std::vector<std::string> terms;
        takeTerms(rpn->RPNStructure, odr, stem, terms);
        WRBUF addinfo = wrbuf_alloc();
        std::string tokens;
        const int code = cql_transform_rpn2cql_stream_r(ct.get(), addinfo, appendTo, &tokens, rpn);
        if (code != 0)
            result.error = conversionError(code, wrbuf_cstr(addinfo));
        else if (!withTerms(tokens, stem, terms, result.cql))
            result.error = "Cannot convert the query " + pqf + " to CQL";
        if (!result.error.empty()) result.cql.clear();
        wrbuf_destroy(addinfo);
    }
    yaz_pqf_destroy(parser);
    odr_destroy(odr);
    return result;
}

}  // namespace

CqlConversion pqfToCql(const std::string& pqf, const std::string& mappingFile) {
    const Transform ct = openMapping(mappingFile);
    if (!ct) {
        CqlConversion result;
        result.error = "Cannot read the CQL mapping file " + mappingFile;
        return result;
    }
    try {
        return convert(ct, pqf);
    } catch (const std::exception& e) {
        // A fault of ours must end the target with a reason, not as no hits.
        CqlConversion result;
        result.error = "Cannot convert the query " + pqf + " to CQL: " + e.what();
        return result;
    }
}
