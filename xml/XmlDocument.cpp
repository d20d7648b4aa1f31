#include "xml/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <climits>
#include <memory>
#include <new>

#include "xml/FileUrl.h"
#include "xml/XmlErrorCapture.h"
#include "xml/XmlService.h"
#include "base/UserMessage.h"

namespace {

template <typename T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Freer<T, Free>>;

void freeXmlChars(xmlChar* p) { xmlFree(p); }

using ParserContextPtr = Owned<xmlParserCtxt, xmlFreeParserCtxt>;
using DocPtr = Owned<xmlDoc, xmlFreeDoc>;
using XPathCompPtr = Owned<xmlXPathCompExpr, xmlXPathFreeCompExpr>;
using XPathContextPtr = Owned<xmlXPathContext, xmlXPathFreeContext>;
using XPathObjectPtr = Owned<xmlXPathObject, xmlXPathFreeObject>;
using StylesheetPtr = Owned<xsltStylesheet, xsltFreeStylesheet>;
using TransformContextPtr = Owned<xsltTransformContext, xsltFreeTransformContext>;
using XmlCharsPtr = Owned<xmlChar, freeXmlChars>;

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A brief field is one line in a list: indentation and line ends between
// elements are layout, not content.
std::string normalisedSpace(const char* text) {
    std::string out;
    bool pendingBlank = false;
    for (const char* p = text; *p; ++p) {
        if (isXmlSpace(*p)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out += ' ';
        pendingBlank = false;
        out += *p;
    }
    return out;
}

std::string nodeText(xmlNode* node) {
    XmlCharsPtr content(xmlNodeGetContent(node));
    return content ? normalisedSpace(reinterpret_cast<const char*>(content.get())) : std::string();
}

std::string orIfEmpty(const std::string& text, const std::string& fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

XmlDocument::XmlDocument() { initXmlService(); }

XmlDocument::~XmlDocument() { xmlFreeDoc(doc_); }

void XmlDocument::adopt(xmlDoc* doc, int errorCode, const std::string& reason) {
    xmlFreeDoc(doc_);
    doc_ = doc;
    parseErrorCode_ = doc ? 0 : (errorCode != 0 ? errorCode : XML_ERR_INTERNAL_ERROR);
    parseErrorReason_ = reason;
}

void XmlDocument::loadXml(const std::string& text) {
    XmlErrorCapture capture;
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        adopt(nullptr, XML_ERR_INTERNAL_ERROR, "The text is too long to parse.");
        return;
    }
    ParserContextPtr context(xmlNewParserCtxt());
    if (!context) throw std::bad_alloc();
    xmlDoc* doc = xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()),
                                    nullptr, nullptr, kSafeParseOptions);
    adopt(doc, context->errNo, capture.text());
}

void XmlDocument::load(const std::string& path) {
    XmlErrorCapture capture;
    int errorCode = 0;
    // As a URL, so that imports resolve beside it even under a folder named "a#b".
    xmlDoc* doc = parseStylesheetFile(fileUrl(path), nullptr, errorCode);
    adopt(doc, errorCode, capture.text());
}

std::optional<std::string> XmlDocument::selectSingleNodeText(const std::string& expression) const {
    XmlErrorCapture capture;
    XPathCompPtr compiled(xmlXPathCompile(reinterpret_cast<const xmlChar*>(expression.c_str())));
    if (!compiled)
        throw XmlError("The XPath expression is not valid", orIfEmpty(capture.text(), expression));
    if (!doc_) return std::nullopt;

    XPathContextPtr context(xmlXPathNewContext(doc_));
    if (!context) throw std::bad_alloc();
    XPathObjectPtr result(xmlXPathCompiledEval(compiled.get(), context.get()));
    if (!result)
        throw XmlError("The XPath expression could not be evaluated",
                       orIfEmpty(capture.text(), expression));
    if (result->type != XPATH_NODESET)
        throw XmlError("The XPath expression does not select nodes", expression);
    if (xmlXPathNodeSetIsEmpty(result->nodesetval)) return std::nullopt;
    return nodeText(result->nodesetval->nodeTab[0]);
}

std::string XmlDocument::transformNode(const XmlDocument& stylesheet) {
    if (!doc_)
        throw XmlError("The document to transform is empty",
                       orIfEmpty(parseErrorReason_, "Nothing was loaded."));
    if (!stylesheet.doc_)
        throw XmlError("The stylesheet document is empty",
                       orIfEmpty(stylesheet.parseErrorReason_, "Nothing was loaded."));

    XmlErrorCapture capture;
    // The compiled stylesheet takes its document over; work on a copy so the
    // stylesheet object stays as it was.
    DocPtr styleDoc(xmlCopyDoc(stylesheet.doc_, 1));
    if (!styleDoc) throw std::bad_alloc();
    StylesheetPtr style(xsltParseStylesheetDoc(styleDoc.get()));
    if (!style)
        throw XmlError("The stylesheet could not be compiled",
                       orIfEmpty(capture.text(), "It is not an XSLT stylesheet."));
    styleDoc.release();

    TransformContextPtr context(xsltNewTransformContext(style.get(), doc_));
    if (!context) throw std::bad_alloc();
    xsltSetCtxtSecurityPrefs(xmlServiceSecurityPrefs(), context.get());
    DocPtr result(
        xsltApplyStylesheetUser(style.get(), doc_, nullptr, nullptr, nullptr, context.get()));
    if (!result || context->state == XSLT_STATE_ERROR || context->state == XSLT_STATE_STOPPED)
        throw XmlError("The transformation failed",
                       orIfEmpty(capture.text(), "The stylesheet stopped it."));

    xmlChar* text = nullptr;
    int length = 0;
    if (xsltSaveResultToString(&text, &length, result.get(), style.get()) != 0)
        throw XmlError("The result could not be written out", capture.text());
    XmlCharsPtr owned(text);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length))
                : std::string();
}

std::string xmlFailureText(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const XmlError& e) {
        return "_com_error: " + e.message() + "   " + e.description();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Undefined Error";
    }
}

bool transformXml(const std::string& xmlText, const std::string& stylesheetPath,
                  std::string& result) {
    if (xmlText.empty()) return false;
    try {
        XmlDocument source;
        source.loadXml(xmlText);
        XmlDocument stylesheet;
        stylesheet.load(stylesheetPath);
        result = source.transformNode(stylesheet);
        return true;
    } catch (...) {
        showUserMessage(xmlFailureText(std::current_exception()));
        return false;
    }
}
