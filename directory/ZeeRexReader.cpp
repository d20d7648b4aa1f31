#include "directory/ZeeRexReader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <strings.h>

#include <limits>
#include <memory>
#include <set>

#include "probe/TargetProbe.h"
#include "protocol/UseAttributes.h"
#include "xml/XmlNodes.h"

namespace {

// The text with every run of white space one blank, none at the ends.
std::string collapsed(const std::string& text) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !out.empty();
        } else {
            if (blank) out += ' ';
            blank = false;
            out += c;
        }
    }
    return out;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string rawText(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

std::vector<const xmlNode*> children(const xmlNode* node, const char* name) {
    std::vector<const xmlNode*> found;
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (isElementNamed(c, name)) found.push_back(c);
    return found;
}

// The explain elements under node, not looking inside one. Iterative: the
// parser's depth limit already bounds it, the stack need not.
std::vector<const xmlNode*> explainRecords(const xmlNode* root) {
    std::vector<const xmlNode*> found;
    std::vector<const xmlNode*> pending{root};
    while (!pending.empty()) {
        const xmlNode* node = pending.back();
        pending.pop_back();
        if (isElementNamed(node, "explain")) {
            found.push_back(node);
            continue;
        }
        std::vector<const xmlNode*> below;
        for (const xmlNode* c = node->children; c; c = c->next)
            if (c->type == XML_ELEMENT_NODE) below.push_back(c);
        pending.insert(pending.end(), below.rbegin(), below.rend());
    }
    return found;
}

// Long titles are spam more often than names; cut at a character boundary.
std::string shortName(const std::string& name) {
    const size_t limit = 200;
    if (name.size() <= limit) return name;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.substr(0, end);
}

std::string nameOf(const xmlNode* record) {
    std::string first;
    for (const xmlNode* info : children(record, "databaseInfo")) {
        for (const xmlNode* title : children(info, "title")) {
            const std::string text = shortName(collapsed(rawText(title)));
            if (text.empty()) continue;
            if (strcasecmp(trimmed(attributeOf(title, "primary")).c_str(), "true") == 0) return text;
            if (first.empty()) first = text;
        }
    }
    return first;
}

std::vector<std::string> syntaxesOf(const xmlNode* record) {
    std::vector<std::string> names;
    for (const xmlNode* info : children(record, "recordInfo"))
        for (const xmlNode* syntax : children(info, "recordSyntax"))
            names.push_back(trimmed(attributeOf(syntax, "name")));
    return names;
}

bool isBib1(const std::string& set) {
    const std::string s = trimmed(set);
    return s.empty() || strcasecmp(s.c_str(), "bib1") == 0 || strcasecmp(s.c_str(), "bib-1") == 0;
}

// The Bib-1 use attributes the record says the target searches.
std::set<int> searchedUses(const xmlNode* record) {
    std::set<int> uses;
    for (const xmlNode* info : children(record, "indexInfo")) {
        for (const xmlNode* index : children(info, "index")) {
            if (strcasecmp(trimmed(attributeOf(index, "search")).c_str(), "false") == 0) continue;
            for (const xmlNode* map : children(index, "map"))
                for (const xmlNode* attr : children(map, "attr"))
                    if (trimmed(attributeOf(attr, "type")) == "1" && isBib1(attributeOf(attr, "set")))
                        if (const int use = positiveNumber(rawText(attr))) uses.insert(use);
        }
    }
    return uses;
}

// What a probe would have learnt from the indexes the record lists.
void fillProfile(TargetProfile& profile, const std::set<int>& uses) {
    if (uses.empty()) return;
    ProbeReport report;
    for (int use : commonUseAttributes())
        report.indexes.push_back(
            {use, uses.count(use) ? IndexSupport::Supported : IndexSupport::Unsupported, 0});
    learnFromProbe(profile, report);
}

ZeeRexEntry refused(const std::string& reason) {
    ZeeRexEntry entry;
    entry.refusal = reason;
    return entry;
}

ZeeRexEntry readRecord(const xmlNode* record) {
    const xmlNode* server = firstChildNamed(record, "serverInfo");
    if (!server) return refused("no serverInfo");
    const std::string protocolWord = trimmed(attributeOf(server, "protocol"));
    TargetKey key;
    key.protocol = protocolFromWord(protocolWord);
    if (key.protocol == DirectoryProtocol::None)
        return refused(protocolWord.empty() ? "no protocol"
                                            : "unknown protocol \"" + shownValue(protocolWord) + "\"");
    const xmlNode* hostNode = firstChildNamed(server, "host");
    const std::string host = hostNode ? trimmed(rawText(hostNode)) : std::string();
    if (host.empty()) return refused("no host");
    if (!isHostName(host)) return refused("bad host \"" + shownValue(host) + "\"");
    const xmlNode* portNode = firstChildNamed(server, "port");
    const std::string port = portNode ? trimmed(rawText(portNode)) : std::string();
    if (port.empty()) return refused("no port");
    key.port = portNumber(port);
    if (!key.port) return refused("bad port \"" + shownValue(port) + "\"");
    const xmlNode* databaseNode = firstChildNamed(server, "database");
    key.database = databaseNode ? trimmed(rawText(databaseNode)) : std::string();
    const std::string problem = databaseProblem(key.database);
    if (!problem.empty()) return refused(problem);
    for (char c : host) key.host += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    ZeeRexEntry entry;
    entry.key = key;
    Target& target = entry.target;
    target.zurl = addressOfKey(key);
    target.name = nameOf(record);
    if (target.name.empty())
        target.name = key.host + ":" + std::to_string(key.port) + "/" + key.database;
    if (key.protocol == DirectoryProtocol::Sru) {
        // SRU carries MARC as MARCXML; no element set is sent.
        target.recsyntax = "marcxml";
    } else {
        target.recsyntax = chooseRecordSyntax(syntaxesOf(record));
        target.elementsetname = "F";
    }
    fillProfile(target.profile, searchedUses(record));
    return entry;
}

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

}  // namespace

std::vector<ZeeRexEntry> readZeeRex(const std::string& bytes) {
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        return {refused("too large")};
    // No network, no external entities; the library bounds depth and expansion.
    std::unique_ptr<xmlDoc, DocFree> doc(
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!root) return {refused("not well-formed XML")};
    std::vector<const xmlNode*> records = explainRecords(root);
    if (records.empty()) records.push_back(root);
    std::vector<ZeeRexEntry> entries;
    for (const xmlNode* record : records) entries.push_back(readRecord(record));
    return entries;
}
