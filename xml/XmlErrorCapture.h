// Collects what libxml2 and libxslt report on the calling thread while the
// object lives, so each call can hand its own errors to its caller and
// threads working at the same time never see each other's messages.
#pragma once

#include <libxml/xmlerror.h>

#include <string>

class XmlErrorCapture {
public:
    // Calling thread. Routes this thread's library messages here until destroyed;
    // captures nest, the innermost one collects.
    XmlErrorCapture();
    // Same thread as the constructor. Gives the thread its previous handlers back.
    ~XmlErrorCapture();
    XmlErrorCapture(const XmlErrorCapture&) = delete;
    XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

    // The messages so far, one per line, without trailing line ends.
    std::string text() const;

    // Any thread. Adds text to the thread's innermost capture, or writes it to
    // standard error when the thread has none.
    static void append(const std::string& text);
    // Any thread. The same for printf-style library handlers (xmlGenericErrorFunc).
    static void appendFormatted(void* unused, const char* format, ...);

private:
    std::string messages_;
    XmlErrorCapture* outer_;
    xmlStructuredErrorFunc oldStructured_;
    void* oldStructuredContext_;
    xmlGenericErrorFunc oldGeneric_;
    void* oldGenericContext_;
};
