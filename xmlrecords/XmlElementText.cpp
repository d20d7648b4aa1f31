#include "xmlrecords/XmlElementText.h"

std::string xmlElementText(const xmlNode* element) {
    xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    xmlNodePtr copy = xmlDocCopyNode(const_cast<xmlNode*>(element), doc, 1);
    xmlDocSetRootElement(doc, copy);
    xmlReconciliateNs(doc, copy);
    xmlBufferPtr buffer = xmlBufferCreate();
    xmlNodeDump(buffer, doc, copy, 0, 0);
    std::string text(reinterpret_cast<const char*>(xmlBufferContent(buffer)),
                     static_cast<size_t>(xmlBufferLength(buffer)));
    xmlBufferFree(buffer);
    xmlFreeDoc(doc);
    return text;
}
