#include "xml/XmlService.h"

#include <libexslt/exslt.h>
#include <libxml/SAX2.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlIO.h>
#include <libxslt/documents.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltutils.h>

#include <mutex>

#include "xml/XmlErrorCapture.h"

namespace {

std::once_flag initialised;
xsltSecurityPrefsPtr securityPrefs = nullptr;
xsltDocLoaderFunc libxsltLoader = nullptr;

constexpr int kStylesheetParseOptions = XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOCDATA;

// Dropping the declaration of an external entity keeps its file unread even
// though entities are substituted.
void declareInternalEntitiesOnly(void* context, const xmlChar* name, int type,
                                 const xmlChar* publicId, const xmlChar* systemId,
                                 xmlChar* content) {
    if (type == XML_INTERNAL_GENERAL_ENTITY || type == XML_INTERNAL_PARAMETER_ENTITY)
        xmlSAX2EntityDecl(context, name, type, publicId, systemId, content);
}

// libxslt parses xsl:import, xsl:include and document() targets with entity
// substitution and DTD loading on: stylesheets go through our own parse, other
// documents through libxslt's loader without those options.
xmlDocPtr loadSafely(const xmlChar* uri, xmlDictPtr dict, int options, void* context,
                     xsltLoadType type) {
    if (type != XSLT_LOAD_DOCUMENT) {
        int errorCode = 0;
        return parseStylesheetFile(reinterpret_cast<const char*>(uri), dict, errorCode);
    }
    options &= ~(XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_DTDATTR | XML_PARSE_DTDVALID |
                 XML_PARSE_XINCLUDE | XML_PARSE_HUGE);
    options |= kSafeParseOptions;
    return libxsltLoader(uri, dict, options, context, type);
}

void initialise() {
    xmlInitParser();
    xsltInit();
    exsltRegisterAll();

    securityPrefs = xsltNewSecurityPrefs();
    xsltSetSecurityPrefs(securityPrefs, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
    xsltSetSecurityPrefs(securityPrefs, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
    xsltSetSecurityPrefs(securityPrefs, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
    xsltSetSecurityPrefs(securityPrefs, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
    // Also used while a stylesheet is compiled, for its imports and includes.
    xsltSetDefaultSecurityPrefs(securityPrefs);

    libxsltLoader = xsltDocDefaultLoader;
    xsltSetLoaderFunc(loadSafely);
    // libxslt's handler is one for the whole process; the capture it feeds is
    // per thread, so messages still end up with the call that caused them.
    xsltSetGenericErrorFunc(nullptr, XmlErrorCapture::appendFormatted);
}

}  // namespace

xmlDocPtr parseStylesheetFile(const std::string& uri, xmlDictPtr dict, int& errorCode) {
    errorCode = 0;
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    if (!context) {
        errorCode = XML_ERR_NO_MEMORY;
        return nullptr;
    }
    if (dict) {
        xmlDictFree(context->dict);
        context->dict = dict;
        xmlDictReference(dict);
    }
    context->sax->entityDecl = declareInternalEntitiesOnly;
    context->sax->externalSubset = nullptr;
    xmlCtxtUseOptions(context, kStylesheetParseOptions);

    xmlDocPtr doc = nullptr;
    if (xmlParserInputPtr input = xmlLoadExternalEntity(uri.c_str(), nullptr, context)) {
        inputPush(context, input);
        if (!context->directory) context->directory = xmlParserGetDirectory(uri.c_str());
        xmlParseDocument(context);
        doc = context->myDoc;
        context->myDoc = nullptr;
        if (!context->wellFormed) {
            xmlFreeDoc(doc);
            doc = nullptr;
        }
    }
    if (!doc) errorCode = context->errNo != 0 ? context->errNo : XML_IO_LOAD_ERROR;
    xmlFreeParserCtxt(context);
    return doc;
}

void initXmlService() { std::call_once(initialised, initialise); }

xsltSecurityPrefsPtr xmlServiceSecurityPrefs() {
    initXmlService();
    return securityPrefs;
}
