#include "xml/XmlErrorCapture.h"

#include <libxml/globals.h>

#include <cstdarg>
#include <cstdio>

namespace {

// Enough for any message worth reading; a stylesheet failing in a loop must
// not fill memory.
constexpr std::size_t kMaxCaptured = 4096;

thread_local XmlErrorCapture* currentCapture = nullptr;

void onStructuredError(void*, xmlErrorPtr error) {
    if (!error || !error->message) return;
    std::string line;
    if (error->file) line += std::string(error->file) + ", ";
    if (error->line > 0) line += "line " + std::to_string(error->line) + ": ";
    line += error->message;
    if (line.back() != '\n') line += '\n';
    XmlErrorCapture::append(line);
}

void trimLineEnds(std::string& text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
}

}  // namespace

XmlErrorCapture::XmlErrorCapture()
    : outer_(currentCapture),
      oldStructured_(xmlStructuredError),
      oldStructuredContext_(xmlStructuredErrorContext),
      oldGeneric_(xmlGenericError),
      oldGenericContext_(xmlGenericErrorContext) {
    // Both handlers are per thread in libxml2, so setting them here touches
    // no other thread.
    xmlSetStructuredErrorFunc(nullptr, onStructuredError);
    xmlSetGenericErrorFunc(nullptr, appendFormatted);
    currentCapture = this;
}

XmlErrorCapture::~XmlErrorCapture() {
    currentCapture = outer_;
    xmlSetStructuredErrorFunc(oldStructuredContext_, oldStructured_);
    xmlSetGenericErrorFunc(oldGenericContext_, oldGeneric_);
}

std::string XmlErrorCapture::text() const {
    std::string text = messages_;
    trimLineEnds(text);
    return text;
}

void XmlErrorCapture::append(const std::string& text) {
    XmlErrorCapture* capture = currentCapture;
    if (!capture) {
        std::fputs(text.c_str(), stderr);
        return;
    }
    std::string& messages = capture->messages_;
    if (messages.size() >= kMaxCaptured) return;
    messages.append(text, 0, kMaxCaptured - messages.size());
}

void XmlErrorCapture::appendFormatted(void*, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    append(buffer);
}
