#include "protocol/sru/SruExplain.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <functional>

#include "xml/XmlNodes.h"

namespace {

std::string trimmedTextOf(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

void eachElement(const xmlNode* node, const std::function<void(const xmlNode*)>& visit) {
    for (const xmlNode* c = node; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE) continue;
        visit(c);
        eachElement(c->children, visit);
    }
}

void readIndex(const xmlNode* index, SruExplain& out) {
    for (const xmlNode* map = index->children; map; map = map->next) {
        const xmlNode* name = isElementNamed(map, "map") ? firstChildNamed(map, "name") : nullptr;
        if (!name) continue;
        const std::string set = attributeOf(name, "set");
        out.indexes.push_back(set.empty() ? trimmedTextOf(name) : set + "." + trimmedTextOf(name));
        return;
    }
    if (const xmlNode* title = firstChildNamed(index, "title")) out.indexes.push_back(trimmedTextOf(title));
}

std::string diagnosticText(const xmlNode* diagnostic) {
    const xmlNode* message = firstChildNamed(diagnostic, "message");
    const xmlNode* details = firstChildNamed(diagnostic, "details");
    std::string text = message ? trimmedTextOf(message) : trimmedTextOf(diagnostic);
    if (details && !trimmedTextOf(details).empty()) text += " (" + trimmedTextOf(details) + ")";
    return "The server answered with a diagnostic: " + text;
}

}  // namespace

SruExplain parseSruExplain(const std::string& xml) {
    SruExplain out;
    xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc) : nullptr;
    if (!root) {
        out.error = "The answer is no XML.";
    } else if (!isElementNamed(root, "explainResponse")) {
        // A server that cannot explain may send its diagnostics alone.
        eachElement(root, [&](const xmlNode* node) {
            if (isElementNamed(node, "diagnostic") && out.error.empty()) out.error = diagnosticText(node);
        });
        if (out.error.empty())
            out.error = std::string("The answer is no Explain response but ") +
                        reinterpret_cast<const char*>(root->name) + ".";
    } else {
        if (const xmlNode* version = firstChildNamed(root, "version")) out.version = trimmedTextOf(version);
        eachElement(root->children, [&](const xmlNode* node) {
            if (isElementNamed(node, "serverInfo")) {
                if (const xmlNode* host = firstChildNamed(node, "host")) out.host = trimmedTextOf(host);
                if (const xmlNode* port = firstChildNamed(node, "port")) out.port = trimmedTextOf(port);
                if (const xmlNode* db = firstChildNamed(node, "database")) out.database = trimmedTextOf(db);
            } else if (isElementNamed(node, "databaseInfo") && out.title.empty()) {
                if (const xmlNode* title = firstChildNamed(node, "title")) out.title = trimmedTextOf(title);
            } else if (isElementNamed(node, "schema")) {
                const std::string name = attributeOf(node, "name");
                if (!name.empty()) out.schemas.push_back(name);
            } else if (isElementNamed(node, "index")) {
                readIndex(node, out);
            } else if (isElementNamed(node, "diagnostic") && out.error.empty()) {
                out.error = diagnosticText(node);
            }
        });
    }
    if (doc) xmlFreeDoc(doc);
    return out;
}
