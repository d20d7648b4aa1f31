#include "engine/MarcXmlSax.h"

#include <libxml/parser.h>

#include <cstring>

#include "engine/MarcField.h"
#include "engine/SaxParse.h"

namespace {

const char* const kMarcXmlNamespace = "http://www.loc.gov/MARC21/slim";
const size_t kMaxIso2709 = 99999;
const char kRecordTerminator = '\x1D';

enum class Text { None, Leader, Control, Subfield };

struct Reader {
    MarcXmlSaxResult result;
    bool failed = false;
    int depth = 0;
    int recordDepth = -1;
    Text text = Text::None;
    std::string leader;
    std::string directory;
    std::string data;
    std::string fieldTag;
    size_t fieldStart = 0;

    void fail(xmlParserCtxtPtr ctx) {
        failed = true;
        xmlStopParser(ctx);
    }
    void startRecord() {
        leader.clear();
        directory.clear();
        data.clear();
    }
    void startField(const std::string& tag) {
        fieldTag = tag;
        fieldStart = data.size();
    }
    bool endField() {
        data += kMarcFieldTerminator;
        const size_t length = data.size() - fieldStart;
        if (fieldTag.size() != 3 || length > 9999 || fieldStart > 99999) return false;
        char entry[13];
        std::snprintf(entry, sizeof entry, "%s%04zu%05zu", fieldTag.c_str(), length, fieldStart);
        directory += entry;
        return true;
    }
    // False for a leader whose lengths differ from MARC 21's.
    bool endRecord() {
        if (leader.size() != 24 || leader.compare(10, 2, "22") != 0 ||
            leader.compare(20, 3, "450") != 0)
            return false;
        const size_t base = 24 + directory.size() + 1;
        const size_t total = base + data.size() + 1;
        if (total > kMaxIso2709) {
            result.records.emplace_back();
            return true;
        }
        char number[6];
        std::snprintf(number, sizeof number, "%05zu", total);
        leader.replace(0, 5, number);
        std::snprintf(number, sizeof number, "%05zu", base);
        leader.replace(12, 5, number);
        leader[9] = 'a';
        std::string iso;
        iso.reserve(total);
        iso += leader;
        iso += directory;
        iso += kMarcFieldTerminator;
        iso += data;
        iso += kRecordTerminator;
        result.records.push_back(std::move(iso));
        return true;
    }
};

bool isMarc(const xmlChar* uri) {
    return uri && std::strcmp(reinterpret_cast<const char*>(uri), kMarcXmlNamespace) == 0;
}

bool is(const xmlChar* name, const char* wanted) {
    return std::strcmp(reinterpret_cast<const char*>(name), wanted) == 0;
}

// The value of an attribute as SAX2 hands it over: begin and end pointers.
std::string attribute(int count, const xmlChar** attributes, const char* name) {
    for (int i = 0; i < count; ++i) {
        const xmlChar** a = attributes + 5 * i;
        if (!a[2] && is(a[0], name))
            return std::string(reinterpret_cast<const char*>(a[3]),
                               reinterpret_cast<const char*>(a[4]));
    }
    return std::string();
}

// Indicators and codes are one character; anything else (an entity left in
// the value, say) is for the general way.
bool appendOne(const std::string& value, std::string& out) {
    if (value.size() != 1 || value[0] == '&') return false;
    out += value[0];
    return true;
}

void onStart(void* context, const xmlChar* name, const xmlChar*, const xmlChar* uri, int,
             const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    auto ctx = static_cast<xmlParserCtxtPtr>(context);
    Reader& r = *static_cast<Reader*>(ctx->_private);
    const int depth = r.depth++;
    if (r.failed) return;
    if (!isMarc(uri) || r.text != Text::None) return r.fail(ctx);
    if (r.recordDepth < 0) {
        if (is(name, "record")) {
            r.recordDepth = depth;
            r.startRecord();
        } else if (!(depth == 0 && is(name, "collection"))) {
            r.fail(ctx);
        }
        return;
    }
    if (depth == r.recordDepth + 1) {
        if (is(name, "leader")) {
            r.text = Text::Leader;
        } else if (is(name, "controlfield")) {
            r.startField(attribute(attributeCount, attributes, "tag"));
            r.text = Text::Control;
        } else if (is(name, "datafield")) {
            r.startField(attribute(attributeCount, attributes, "tag"));
            if (!appendOne(attribute(attributeCount, attributes, "ind1"), r.data) ||
                !appendOne(attribute(attributeCount, attributes, "ind2"), r.data))
                r.fail(ctx);
        } else {
            r.fail(ctx);
        }
    } else if (depth == r.recordDepth + 2 && is(name, "subfield")) {
        r.data += kMarcSubfieldDelimiter;
        if (!appendOne(attribute(attributeCount, attributes, "code"), r.data)) r.fail(ctx);
        r.text = Text::Subfield;
    } else {
        r.fail(ctx);
    }
}

void onEnd(void* context, const xmlChar* name, const xmlChar*, const xmlChar*) {
    auto ctx = static_cast<xmlParserCtxtPtr>(context);
    Reader& r = *static_cast<Reader*>(ctx->_private);
    const int depth = --r.depth;
    if (r.failed) return;
    r.text = Text::None;
    if (depth == r.recordDepth) {
        if (!r.endRecord()) r.fail(ctx);
        r.recordDepth = -1;
    } else if (depth == r.recordDepth + 1 && !is(name, "leader")) {
        if (!r.endField()) r.fail(ctx);
    }
}

void onCharacters(void* context, const xmlChar* text, int length) {
    Reader& r = *static_cast<Reader*>(static_cast<xmlParserCtxtPtr>(context)->_private);
    if (r.failed || r.text == Text::None) return;
    (r.text == Text::Leader ? r.leader : r.data)
        .append(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
}

}  // namespace

MarcXmlSaxResult readMarcXmlSax(const std::string& xml) {
    Reader reader;
    const xmlSAXHandler handler = saxHandler(onStart, onEnd, onCharacters);
    const bool whole = saxParse(xml, handler, &reader);
    reader.result.ok = whole && !reader.failed && !reader.result.records.empty();
    if (!reader.result.ok) reader.result.records.clear();
    return reader.result;
}
