#include "protocol/sru/SruExplain.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <functional>

namespace {

bool named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::string textOf(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

const xmlNode* child(const xmlNode* node, const char* name) {
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (named(c, name)) return c;
    return nullptr;
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
        const xmlNode* name = named(map, "map") ? child(map, "name") : nullptr;
        if (!name) continue;
        const std::string set = attribute(name, "set");
        out.indexes.push_back(set.empty() ? textOf(name) : set + "." + textOf(name));
        return;
    }
    if (const xmlNode* title = child(index, "title")) out.indexes.push_back(textOf(title));
}

std::string diagnosticText(const xmlNode* diagnostic) {
    const xmlNode* message = child(diagnostic, "message");
    const xmlNode* details = child(diagnostic, "details");
    std::string text = message ? textOf(message) : textOf(diagnostic);
    if (details && !textOf(details).empty()) text += " (" + textOf(details) + ")";
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
    } else if (!named(root, "explainResponse")) {
        // A server that cannot explain may send its diagnostics alone.
        eachElement(root, [&](const xmlNode* node) {
            if (named(node, "diagnostic") && out.error.empty()) out.error = diagnosticText(node);
        });
        if (out.error.empty())
            out.error = std::string("The answer is no Explain response but ") +
                        reinterpret_cast<const char*>(root->name) + ".";
    } else {
        if (const xmlNode* version = child(root, "version")) out.version = textOf(version);
        eachElement(root->children, [&](const xmlNode* node) {
            if (named(node, "serverInfo")) {
                if (const xmlNode* host = child(node, "host")) out.host = textOf(host);
                if (const xmlNode* port = child(node, "port")) out.port = textOf(port);
                if (const xmlNode* db = child(node, "database")) out.database = textOf(db);
            } else if (named(node, "databaseInfo") && out.title.empty()) {
                if (const xmlNode* title = child(node, "title")) out.title = textOf(title);
            } else if (named(node, "schema")) {
                const std::string name = attribute(node, "name");
                if (!name.empty()) out.schemas.push_back(name);
            } else if (named(node, "index")) {
                readIndex(node, out);
            } else if (named(node, "diagnostic") && out.error.empty()) {
                out.error = diagnosticText(node);
            }
        });
    }
    if (doc) xmlFreeDoc(doc);
    return out;
}
