#include "protocol/sru/SruScan.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "protocol/sru/SruHttp.h"
#include "xml/XmlNodes.h"

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

int64_t countOf(const std::string& raw) {
    const std::string text = trimmed(raw);
    if (text.empty() || text[0] == '-' || text[0] == '+') return -1;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE) return -1;
    return value;
}

}  // namespace

std::string sruScanUrl(const std::string& base, const std::string& scanClause, int32_t number,
                       int32_t position) {
    return base + (base.find('?') == std::string::npos ? "?" : "&") +
           "version=1.2&operation=scan&scanClause=" + urlEscaped(scanClause) +
           "&responsePosition=" + std::to_string(position) +
           "&maximumTerms=" + std::to_string(number);
}

SruScanResponse parseSruScanResponse(const std::string& xml) {
    SruScanResponse out;
    xmlDocPtr doc =
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc) : nullptr;
    if (!root) {
        out.error = "The answer is no XML";
    } else if (!isElementNamed(root, "scanResponse")) {
        out.error = std::string("The answer is no scan response but ") +
                    reinterpret_cast<const char*>(root->name);
    } else {
        for (const xmlNode* t = firstChildNamed(root, "terms") ? firstChildNamed(root, "terms")->children : nullptr;
             t; t = t->next) {
            if (!isElementNamed(t, "term")) continue;
            SruScanTerm term;
            term.value = textOf(firstChildNamed(t, "value"));
            term.display = textOf(firstChildNamed(t, "displayTerm"));
            term.count = countOf(textOf(firstChildNamed(t, "numberOfRecords")));
            out.terms.push_back(std::move(term));
        }
        if (const xmlNode* diagnostics = firstChildNamed(root, "diagnostics"))
            for (const xmlNode* d = diagnostics->children; d; d = d->next) {
                if (d->type != XML_ELEMENT_NODE) continue;
                SruDiagnostic diagnostic;
                diagnostic.uri = trimmed(textOf(firstChildNamed(d, "uri")));
                diagnostic.details = trimmed(textOf(firstChildNamed(d, "details")));
                diagnostic.message = trimmed(textOf(firstChildNamed(d, "message")));
                out.diagnostics.push_back(std::move(diagnostic));
            }
    }
    if (doc) xmlFreeDoc(doc);
    return out;
}
