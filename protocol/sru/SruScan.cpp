#include "protocol/sru/SruScan.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "protocol/sru/SruHttp.h"

namespace {

bool named(const xmlNode* node, const char* name) {
    return node && node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

const xmlNode* child(const xmlNode* node, const char* name) {
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (named(c, name)) return c;
    return nullptr;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string textOf(const xmlNode* node) {
    if (!node) return std::string();
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
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
    } else if (!named(root, "scanResponse")) {
        out.error = std::string("The answer is no scan response but ") +
                    reinterpret_cast<const char*>(root->name);
    } else {
        for (const xmlNode* t = child(root, "terms") ? child(root, "terms")->children : nullptr;
             t; t = t->next) {
            if (!named(t, "term")) continue;
            SruScanTerm term;
            term.value = textOf(child(t, "value"));
            term.display = textOf(child(t, "displayTerm"));
            term.count = countOf(textOf(child(t, "numberOfRecords")));
            out.terms.push_back(std::move(term));
        }
        if (const xmlNode* diagnostics = child(root, "diagnostics"))
            for (const xmlNode* d = diagnostics->children; d; d = d->next) {
                if (d->type != XML_ELEMENT_NODE) continue;
                SruDiagnostic diagnostic;
                diagnostic.uri = trimmed(textOf(child(d, "uri")));
                diagnostic.details = trimmed(textOf(child(d, "details")));
                diagnostic.message = trimmed(textOf(child(d, "message")));
                out.diagnostics.push_back(std::move(diagnostic));
            }
    }
    if (doc) xmlFreeDoc(doc);
    return out;
}
