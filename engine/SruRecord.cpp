#include "engine/SruRecord.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include <cstring>

namespace {

const char* const kMarcXmlNamespace = "http://www.loc.gov/MARC21/slim";
const char* const kModsNamespace = "http://www.loc.gov/mods/v3";
const char* const kSrwDcNamespace = "info:srw/schema/1/dc-schema";
const char* const kOaiDcNamespace = "http://www.openarchives.org/OAI/2.0/oai_dc/";
const char* const kDcElementsNamespace = "http://purl.org/dc/elements/1.1/";

bool inNamespace(const xmlNode* node, const char* uri) {
    return node->ns && node->ns->href && std::strcmp(reinterpret_cast<const char*>(node->ns->href), uri) == 0;
}

XmlSchema schemaOf(const xmlNode* root) {
    if (inNamespace(root, kMarcXmlNamespace)) return MarcXml;
    if (inNamespace(root, kModsNamespace)) return Mods;
    if (inNamespace(root, kSrwDcNamespace) || inNamespace(root, kOaiDcNamespace) ||
        inNamespace(root, kDcElementsNamespace))
        return DublinCore;
    return OtherXml;
}

// A one-record collection is as good as the record.
const xmlNode* marcRecordNode(const xmlNode* root) {
    if (std::strcmp(reinterpret_cast<const char*>(root->name), "collection") != 0) return root;
    for (const xmlNode* child = root->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE) return child;
    return nullptr;
}

std::string toIso2709(const xmlNode* record) {
    if (!record) return std::string();
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
    return result;
}

}  // namespace

SruXmlRecord readSruXmlRecord(const std::string& xml) {
    SruXmlRecord result;
    xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                      XML_PARSE_COMPACT);
    if (!doc) return result;
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (root) {
        result.schema = schemaOf(root);
        if (result.schema == MarcXml) result.iso2709 = toIso2709(marcRecordNode(root));
    }
    xmlFreeDoc(doc);
    return result;
}
