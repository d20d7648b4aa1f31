// One XML document for parsing record text, running XPath 1.0 queries and
// XSLT 1.0 transformations. Made fresh for each use; one thread at a time per
// object, any number of objects on any threads.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "xml/XmlError.h"

typedef struct _xmlDoc xmlDoc;

class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Parses text (UTF-8 unless it declares otherwise) with the safe options;
    // on failure the document is empty and parseErrorCode says why.
    void loadXml(const std::string& text);
    // Parses a stylesheet file: its internal entities are substituted, nothing
    // external is read.
    void load(const std::string& path);
    // 0 when the last load built a document, else libxml2's error number.
    // Undeclared namespace prefixes still build one: they do not count here.
    int parseErrorCode() const { return parseErrorCode_; }
    // The library's messages from the last load; may be set even when it parsed.
    const std::string& parseErrorReason() const { return parseErrorReason_; }

    // Text of the first node, in document order, that the XPath 1.0 expression
    // selects, with runs of white space made one blank and trimmed; nothing
    // when no node matches. Throws XmlError when the library rejects the
    // expression or it gives no node-set.
    std::optional<std::string> selectSingleNodeText(const std::string& expression) const;

    // Applies stylesheet to this document and gives the serialised result,
    // honouring xsl:output. Throws XmlError when either document is empty, the
    // stylesheet does not compile or the transformation fails. White space that
    // xsl:strip-space names is removed from this document on the way.
    std::string transformNode(const XmlDocument& stylesheet);

private:
    void adopt(xmlDoc* doc, int errorCode, const std::string& reason);

    xmlDoc* doc_ = nullptr;
    int parseErrorCode_ = 0;
    std::string parseErrorReason_;
};

// Any thread. Transforms xmlText with the stylesheet file and sets result,
// true on success. Empty xmlText: false, nothing shown. On failure one user
// message and false; result is untouched. result may alias xmlText.
bool transformXml(const std::string& xmlText, const std::string& stylesheetPath,
                  std::string& result);

// The user message for a failure caught while working with XML documents.
std::string xmlFailureText(std::exception_ptr failure);
