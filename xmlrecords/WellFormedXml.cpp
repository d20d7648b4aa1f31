#include "xmlrecords/WellFormedXml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>

#include "xml/XmlErrorCapture.h"

namespace {

constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

xmlDoc* parse(const std::string& xml, int options) {
    if (xml.size() > INT_MAX) return nullptr;
    return xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, "UTF-8", options);
}

void dropComments(xmlNode* node) {
    while (node) {
        xmlNode* next = node->next;
        if (node->type == XML_COMMENT_NODE) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        } else {
            dropComments(node->children);
        }
        node = next;
    }
}

}  // namespace

std::string wellFormedXml(const std::string& xml) {
    const XmlErrorCapture quiet;  // the failures are handled here, nobody is told
    if (xmlDoc* doc = parse(xml, kOptions)) {
        xmlFreeDoc(doc);
        return xml;
    }
    // The toolkit copies bytes of damaged records into its comments unescaped.
    xmlDoc* doc = parse(xml, kOptions | XML_PARSE_RECOVER);
    if (!doc) return std::string();
    std::string result;
    if (xmlDocGetRootElement(doc)) {
        dropComments(doc->children);
        xmlChar* text = nullptr;
        int size = 0;
        xmlDocDumpMemoryEnc(doc, &text, &size, "UTF-8");
        if (text && size > 0) result.assign(reinterpret_cast<const char*>(text), size);
        xmlFree(text);
    }
    xmlFreeDoc(doc);
    if (xmlDoc* check = parse(result, kOptions)) {
        xmlFreeDoc(check);
        return result;
    }
    return std::string();
}
