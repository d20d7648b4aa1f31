#include "records/SruRecord.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include <cstring>

#include "marc/MarcLeader.h"
#include "xmlrecords/MarcXmlSax.h"
#include "marc/UnicodeNfc.h"
#include "xmlrecords/XmlElementText.h"

namespace {

const char* const kMarcXmlNamespace = "http://www.loc.gov/MARC21/slim";
const char* const kModsNamespace = "http://www.loc.gov/mods/v3";
const char* const kSrwDcNamespace = "info:srw/schema/1/dc-schema";
const char* const kOaiDcNamespace = "http://www.openarchives.org/OAI/2.0/oai_dc/";
const char* const kDcElementsNamespace = "http://purl.org/dc/elements/1.1/";

bool inNamespace(const xmlNode* node, const char* uri) {
    return node->ns && node->ns->href &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), uri) == 0;
}

bool named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

XmlSchema schemaOf(const xmlNode* root) {
    if (inNamespace(root, kMarcXmlNamespace)) return MarcXml;
    if (inNamespace(root, kModsNamespace)) return Mods;
    if (inNamespace(root, kSrwDcNamespace) || inNamespace(root, kOaiDcNamespace) ||
        inNamespace(root, kDcElementsNamespace))
        return DublinCore;
    return OtherXml;
}

std::vector<const xmlNode*> marcRecordNodes(const xmlNode* root) {
    if (!named(root, "collection")) return {root};
    std::vector<const xmlNode*> records;
    for (const xmlNode* child = root->children; child; child = child->next)
        if (named(child, "record")) records.push_back(child);
    return records;
}

size_t fieldCount(const xmlNode* record) {
    size_t count = 0;
    for (const xmlNode* c = record->children; c; c = c->next)
        if (named(c, "controlfield") || named(c, "datafield")) ++count;
    return count;
}

// Empty when the record cannot be read, or when the writer would leave fields
// out (a record over ISO 2709's length limit).
std::string toIso2709(const xmlNode* record) {
    yaz_marc_t marc = yaz_marc_create();
    std::string result;
    if (yaz_marc_read_xml(marc, record) == 0) {
        // The text stays as the server sent it, in UTF-8; the leader says so.
        yaz_marc_modify_leader(marc, 9, "a");
        WRBUF out = wrbuf_alloc();
        if (yaz_marc_write_iso2709(marc, out) == 0) result.assign(wrbuf_buf(out), wrbuf_len(out));
        wrbuf_destroy(out);
    }
    yaz_marc_destroy(marc);
    const int base = MarcLeader(result).baseAddress();
    if (base < 25 || static_cast<size_t>(base - 25) / 12 != fieldCount(record))
        return std::string();
    return result;
}

std::string attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

std::string contentOf(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

// Hands the record's fields to handler as an ISO 2709 reader would.
void readMarcXml(const xmlNode* record, MarcHandler& handler) {
    for (const xmlNode* c = record->children; c; c = c->next) {
        const bool control = named(c, "controlfield");
        if (!control && !named(c, "datafield")) continue;
        const std::string tag = attribute(c, "tag");
        std::string bytes;
        if (control) {
            bytes = contentOf(c) + kMarcFieldTerminator;
            handler.onControlField(tag, MarcField(tag, bytes));
            continue;
        }
        const std::string ind1 = attribute(c, "ind1");
        const std::string ind2 = attribute(c, "ind2");
        bytes += ind1.empty() ? ' ' : ind1[0];
        bytes += ind2.empty() ? ' ' : ind2[0];
        for (const xmlNode* s = c->children; s; s = s->next) {
            if (!named(s, "subfield")) continue;
            const std::string code = attribute(s, "code");
            bytes += kMarcSubfieldDelimiter;
            bytes += code.empty() ? ' ' : code[0];
            bytes += contentOf(s);
        }
        bytes += kMarcFieldTerminator;
        const MarcField field(tag, bytes);
        if (!handler.onDataField(tag, field)) continue;
        for (const xmlNode* s = c->children; s; s = s->next) {
            if (!named(s, "subfield")) continue;
            const std::string code = attribute(s, "code");
            const std::string content = contentOf(s);
            handler.onSubfield(code.empty() ? ' ' : code[0], content);
        }
        handler.onDataFieldEnd();
    }
    handler.onRecordEnd();
}

xmlDocPtr parse(const std::string& xml) {
    return xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                         XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                             XML_PARSE_COMPACT | XML_PARSE_HUGE);
}

}  // namespace

SruXmlRecord readSruXmlRecord(const std::string& xml) {
    SruXmlRecord result;
    MarcXmlSaxResult fast = readMarcXmlSax(xml);
    bool whole = fast.ok;
    for (const std::string& iso : fast.records) whole = whole && !iso.empty();
    if (whole || (fast.ok && fast.records.size() == 1)) {
        result.schema = MarcXml;
        for (std::string& iso : fast.records) {
            SruMarcRecord& marc = result.marc.emplace_back();
            if (iso.empty())
                marc.marcXml = xml;
            else
                marc.iso2709 = std::move(iso);
        }
        return result;
    }
    xmlDocPtr doc = parse(xml);
    if (!doc) return result;
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (root) {
        result.schema = schemaOf(root);
        if (result.schema == MarcXml) {
            const std::vector<const xmlNode*> records = marcRecordNodes(root);
            for (const xmlNode* record : records) {
                SruMarcRecord marc;
                marc.iso2709 = toIso2709(record);
                if (marc.iso2709.empty() && fieldCount(record) > 0)
                    marc.marcXml =
                        records.size() == 1 && record == root ? xml : xmlElementText(record);
                if (!marc.iso2709.empty() || !marc.marcXml.empty())
                    result.marc.push_back(std::move(marc));
            }
        }
    }
    xmlFreeDoc(doc);
    return result;
}

BriefMarcHandler briefMarcXmlFields(const std::string& marcXml) {
    BriefMarcHandler brief;
    xmlDocPtr doc = parse(marcXml);
    if (!doc) return brief;
    if (const xmlNode* root = xmlDocGetRootElement(doc)) {
        const std::vector<const xmlNode*> records = marcRecordNodes(root);
        if (!records.empty()) readMarcXml(records.front(), brief);
    }
    xmlFreeDoc(doc);
    // Composed, as the brief fields of an ISO 2709 record are.
    brief.title = toNfc(brief.title);
    brief.author = toNfc(brief.author);
    brief.date = toNfc(brief.date);
    return brief;
}
