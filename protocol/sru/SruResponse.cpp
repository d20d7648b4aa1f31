#include "protocol/sru/SruResponse.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <yaz/diagsrw.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "xmlrecords/MarcXmlSax.h"
#include "xmlrecords/SaxParse.h"
#include "protocol/sru/SruRecordText.h"
#include "xml/XmlNodes.h"
#include "xmlrecords/XmlElementText.h"

namespace {

const char* const kSrwDiagnosticPrefix = "info:srw/diagnostic/1/";

bool named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

const xmlNode* child(const xmlNode* node, const char* name) {
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (named(c, name)) return c;
    return nullptr;
}

std::string trimmed(std::string text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The local name of the first element in XML text, without parsing it all.
std::string rootName(const std::string& xml) {
    size_t at = 0;
    while ((at = xml.find('<', at)) != std::string::npos) {
        if (at + 1 < xml.size() && (xml[at + 1] == '?' || xml[at + 1] == '!')) {
            ++at;
            continue;
        }
        const size_t end = xml.find_first_of(" \t\r\n/>", at + 1);
        std::string name =
            xml.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        const size_t colon = name.find(':');
        return colon == std::string::npos ? name : name.substr(colon + 1);
    }
    return std::string();
}

SruDiagnostic readDiagnostic(const xmlNode* node) {
    SruDiagnostic d;
    d.uri = trimmed(textOf(child(node, "uri")));
    d.details = trimmed(textOf(child(node, "details")));
    d.message = trimmed(textOf(child(node, "message")));
    return d;
}

void readRecord(const xmlNode* record, SruSearchResponse& out) {
    SruResponseRecord r;
    const xmlNode* data = child(record, "recordData");
    const xmlNode* element = nullptr;
    for (const xmlNode* c = data ? data->children : nullptr; c && !element; c = c->next)
        if (c->type == XML_ELEMENT_NODE) element = c;
    r.xml = element ? xmlElementText(element) : trimmed(textOf(data));
    const std::string schema = textOf(child(record, "recordSchema"));
    r.surrogate = schema.find("diagnostic") != std::string::npos ||
                  (element ? named(element, "diagnostic") : rootName(r.xml) == "diagnostic");
    out.records.push_back(std::move(r));
}

// The response in one streaming pass. Records sent as escaped text are kept
// as text; MARCXML sent as elements is read into ISO 2709 on the way. Anything
// else (other records as elements, no response at all) is left to the tree
// reader, which can give a record's elements as text.
struct ResponseReader {
    SruSearchResponse out;
    std::vector<std::string> path;  // local names from the root down to recordData
    std::string* text = nullptr;    // where characters go
    std::string count;
    std::string schema;
    // Depth inside the element that recordData holds; 0 outside it.
    int inData = 0;
    bool hasElement = false;  // the current recordData holds an element
    bool marcLive = false;    // its events go to marc
    MarcXmlSaxReader marc;
    // Record texts lifted out of the text parsed, each confirmed by its place.
    const LiftedRecordTexts* lifted = nullptr;
    size_t nextLifted = 0;
    bool failed = false;
};

bool at(const std::vector<std::string>& path, std::initializer_list<const char*> names) {
    if (path.size() != names.size()) return false;
    size_t i = 0;
    for (const char* name : names)
        if (path[i++] != name) return false;
    return true;
}

ResponseReader& readerOf(void* context) {
    return *static_cast<ResponseReader*>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

void stop(void* context) {
    readerOf(context).failed = true;
    xmlStopParser(static_cast<xmlParserCtxtPtr>(context));
}

// The element recordData holds begins.
void startDataElement(void* context, const xmlChar* name, const xmlChar* uri, int attributeCount,
                      const xmlChar** attributes) {
    ResponseReader& r = readerOf(context);
    // The tree reader takes the first element alone.
    if (r.hasElement) return stop(context);
    r.hasElement = true;
    SruResponseRecord& record = r.out.records.back();
    record.surrogate = r.schema.find("diagnostic") != std::string::npos ||
                       std::strcmp(reinterpret_cast<const char*>(name), "diagnostic") == 0;
    if (record.surrogate) return;
    r.marc = MarcXmlSaxReader();
    r.marcLive = r.marc.start(name, uri, attributeCount, attributes);
    if (!r.marcLive) stop(context);
}

void endDataElement(void* context) {
    ResponseReader& r = readerOf(context);
    if (!r.marcLive) return;
    r.marcLive = false;
    std::vector<std::string>& records = r.marc.records();
    // A record too long for ISO 2709 is kept as text, which only the tree gives.
    for (const std::string& iso : records)
        if (iso.empty()) return stop(context);
    if (records.empty()) return stop(context);
    r.out.records.back().iso2709 = std::move(records);
}

// A recordData begins in the skeleton: its text is the next lifted one if
// that stood right after this start tag. The parser stands on the tag's '>'
// or just past it.
void takeLifted(void* context) {
    ResponseReader& r = readerOf(context);
    const std::vector<LiftedRecordTexts::Text>& texts = r.lifted->texts;
    const long here = xmlByteConsumed(static_cast<xmlParserCtxtPtr>(context));
    if (r.nextLifted >= texts.size() || here < 0) return;
    const size_t at = texts[r.nextLifted].at;
    if (static_cast<size_t>(here) + 1 != at && static_cast<size_t>(here) != at) return;
    if (!unescapeXmlText(texts[r.nextLifted++].escaped, *r.text)) stop(context);
}

void onResponseStart(void* context, const xmlChar* name, const xmlChar*, const xmlChar* uri, int,
                     const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    ResponseReader& r = readerOf(context);
    if (r.failed) return;
    if (r.inData > 0) {
        ++r.inData;
        if (r.marcLive && !r.marc.start(name, uri, attributeCount, attributes)) stop(context);
        return;
    }
    const std::vector<std::string>& p = r.path;
    if (p.empty() && std::strcmp(reinterpret_cast<const char*>(name), "searchRetrieveResponse"))
        return stop(context);
    if (at(p, {"searchRetrieveResponse", "records", "record", "recordData"})) {
        r.inData = 1;
        return startDataElement(context, name, uri, attributeCount, attributes);
    }
    r.path.emplace_back(reinterpret_cast<const char*>(name));
    r.text = nullptr;
    if (at(p, {"searchRetrieveResponse", "numberOfRecords"})) {
        r.text = &r.count;
    } else if (at(p, {"searchRetrieveResponse", "records", "record"})) {
        r.out.records.emplace_back();
        r.schema.clear();
        r.hasElement = false;
    } else if (at(p, {"searchRetrieveResponse", "records", "record", "recordSchema"})) {
        r.text = &r.schema;
    } else if (at(p, {"searchRetrieveResponse", "records", "record", "recordData"})) {
        r.text = &r.out.records.back().xml;
        if (r.lifted) takeLifted(context);
    } else if (p.size() == 3 && p[1] == "diagnostics") {
        r.out.diagnostics.emplace_back();
    } else if (p.size() == 4 && p[1] == "diagnostics") {
        SruDiagnostic& d = r.out.diagnostics.back();
        r.text = p[3] == "uri"       ? &d.uri
                 : p[3] == "details" ? &d.details
                 : p[3] == "message" ? &d.message
                                     : nullptr;
    }
}

void onResponseEnd(void* context, const xmlChar* name, const xmlChar*, const xmlChar*) {
    ResponseReader& r = readerOf(context);
    if (r.failed) return;
    if (r.inData > 0) {
        --r.inData;
        if (r.marcLive && !r.marc.end(name)) return stop(context);
        if (r.inData == 0) endDataElement(context);
        return;
    }
    if (at(r.path, {"searchRetrieveResponse", "records", "record"})) {
        SruResponseRecord& record = r.out.records.back();
        if (r.hasElement) {
            record.xml.clear();
            record.surrogate = record.surrogate || r.schema.find("diagnostic") != std::string::npos;
        } else {
            record.xml = trimmed(std::move(record.xml));
            record.surrogate = r.schema.find("diagnostic") != std::string::npos ||
                               rootName(record.xml) == "diagnostic";
        }
    }
    r.path.pop_back();
    r.text = nullptr;
}

void onResponseCharacters(void* context, const xmlChar* text, int length) {
    ResponseReader& r = readerOf(context);
    if (r.inData > 0) {
        if (r.marcLive) r.marc.characters(text, length);
    } else if (r.text) {
        r.text->append(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
    }
}

bool readNumber(const std::string& raw, SruSearchResponse& out) {
    const std::string text = trimmed(raw);
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') return false;
    out.numberOfRecords = value;
    out.hasNumberOfRecords = true;
    return true;
}

bool readStreaming(const std::string& xml, const LiftedRecordTexts* lifted,
                   SruSearchResponse& out) {
    ResponseReader reader;
    reader.lifted = lifted;
    const xmlSAXHandler handler = saxHandler(onResponseStart, onResponseEnd, onResponseCharacters);
    if (!saxParse(xml, handler, &reader) || reader.failed) return false;
    if (lifted && reader.nextLifted != lifted->texts.size()) return false;
    for (SruDiagnostic& d : reader.out.diagnostics) {
        d.uri = trimmed(d.uri);
        d.details = trimmed(d.details);
        d.message = trimmed(d.message);
    }
    readNumber(reader.count, reader.out);
    out = std::move(reader.out);
    return true;
}

}  // namespace

std::string sruDiagnosticText(const SruDiagnostic& d) {
    const std::string details = d.details.empty() ? "" : ": " + d.details;
    if (d.uri.compare(0, std::strlen(kSrwDiagnosticPrefix), kSrwDiagnosticPrefix) == 0) {
        const std::string number = d.uri.substr(std::strlen(kSrwDiagnosticPrefix));
        char* end = nullptr;
        const long code = std::strtol(number.c_str(), &end, 10);
        const char* known =
            !number.empty() && *end == '\0' ? yaz_diag_srw_str(static_cast<int>(code)) : nullptr;
        if (known) return std::string(known) + " (" + number + ")" + details;
    }
    const std::string message = d.message.empty() ? "Unknown diagnostic" : d.message;
    return message + (d.uri.empty() ? "" : " (" + d.uri + ")") + details;
}

SruSearchResponse parseSruSearchResponse(const std::string& xml) {
    SruSearchResponse out;
    const LiftedRecordTexts lifted = liftRecordTexts(xml);
    if (!lifted.texts.empty() && readStreaming(lifted.skeleton, &lifted, out)) return out;
    if (readStreaming(xml, nullptr, out)) return out;
    xmlDocPtr doc =
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc) : nullptr;
    if (!root) {
        out.error = "The answer is no XML";
    } else if (!named(root, "searchRetrieveResponse")) {
        out.error = std::string("The answer is no searchRetrieve response but ") +
                    reinterpret_cast<const char*>(root->name);
    } else {
        if (const xmlNode* count = child(root, "numberOfRecords")) readNumber(textOf(count), out);
        if (const xmlNode* records = child(root, "records"))
            for (const xmlNode* r = records->children; r; r = r->next)
                if (named(r, "record")) readRecord(r, out);
        if (const xmlNode* diagnostics = child(root, "diagnostics"))
            for (const xmlNode* d = diagnostics->children; d; d = d->next)
                if (d->type == XML_ELEMENT_NODE) out.diagnostics.push_back(readDiagnostic(d));
    }
    if (doc) xmlFreeDoc(doc);
    return out;
}
