#include "xmlrecords/MarcXmlSax.h"

#include <cstring>

#include "marc/MarcField.h"
#include "xmlrecords/SaxParse.h"

namespace {

const char* const kMarcXmlNamespace = "http://www.loc.gov/MARC21/slim";
const size_t kMaxIso2709 = 99999;
const char kRecordTerminator = '\x1D';

bool isMarc(const xmlChar* uri) {
    return uri && std::strcmp(reinterpret_cast<const char*>(uri), kMarcXmlNamespace) == 0;
}

bool is(const xmlChar* name, const char* wanted) {
    return std::strcmp(reinterpret_cast<const char*>(name), wanted) == 0;
}

// The value of an attribute as SAX2 hands it over, begin and end pointers;
// null when it is missing.
const char* attribute(int count, const xmlChar** attributes, const char* name, size_t& length) {
    for (int i = 0; i < count; ++i) {
        const xmlChar** a = attributes + 5 * i;
        if (!a[2] && is(a[0], name)) {
            length = static_cast<size_t>(a[4] - a[3]);
            return reinterpret_cast<const char*>(a[3]);
        }
    }
    length = 0;
    return nullptr;
}

// Indicators and codes are one character; anything else (an entity left in
// the value, say) is for the general way.
bool appendOne(int count, const xmlChar** attributes, const char* name, std::string& out) {
    size_t length = 0;
    const char* value = attribute(count, attributes, name, length);
    if (length != 1 || value[0] == '&') return false;
    out += value[0];
    return true;
}

// value as width decimal digits; snprintf costs more than the rest of a field.
void putDigits(char* out, size_t value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

void onStart(void* context, const xmlChar* name, const xmlChar*, const xmlChar* uri, int,
             const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    auto ctx = static_cast<xmlParserCtxtPtr>(context);
    if (!static_cast<MarcXmlSaxReader*>(ctx->_private)
             ->start(name, uri, attributeCount, attributes))
        xmlStopParser(ctx);
}

void onEnd(void* context, const xmlChar* name, const xmlChar*, const xmlChar*) {
    auto ctx = static_cast<xmlParserCtxtPtr>(context);
    if (!static_cast<MarcXmlSaxReader*>(ctx->_private)->end(name)) xmlStopParser(ctx);
}

void onCharacters(void* context, const xmlChar* text, int length) {
    static_cast<MarcXmlSaxReader*>(static_cast<xmlParserCtxtPtr>(context)->_private)
        ->characters(text, length);
}

}  // namespace

bool MarcXmlSaxReader::fail() {
    failed_ = true;
    return false;
}

void MarcXmlSaxReader::startField(int attributeCount, const xmlChar** attributes) {
    size_t length = 0;
    const char* tag = attribute(attributeCount, attributes, "tag", length);
    tagFits_ = length == 3;
    if (tagFits_) std::memcpy(fieldTag_, tag, 3);
    fieldStart_ = data_.size();
}

bool MarcXmlSaxReader::endField() {
    data_ += kMarcFieldTerminator;
    const size_t length = data_.size() - fieldStart_;
    if (!tagFits_ || length > 9999 || fieldStart_ > 99999) return false;
    char entry[12];
    std::memcpy(entry, fieldTag_, 3);
    putDigits(entry + 3, length, 4);
    putDigits(entry + 7, fieldStart_, 5);
    directory_.append(entry, sizeof entry);
    return true;
}

bool MarcXmlSaxReader::endRecord() {
    if (leader_.size() != 24 || leader_.compare(10, 2, "22") != 0 ||
        leader_.compare(20, 3, "450") != 0)
        return false;
    const size_t base = 24 + directory_.size() + 1;
    const size_t total = base + data_.size() + 1;
    if (total > kMaxIso2709) {
        records_.emplace_back();
        return true;
    }
    putDigits(&leader_[0], total, 5);
    putDigits(&leader_[12], base, 5);
    leader_[9] = 'a';
    std::string iso;
    iso.reserve(total);
    iso += leader_;
    iso += directory_;
    iso += kMarcFieldTerminator;
    iso += data_;
    iso += kRecordTerminator;
    records_.push_back(std::move(iso));
    return true;
}

bool MarcXmlSaxReader::start(const xmlChar* name, const xmlChar* uri, int attributeCount,
                             const xmlChar** attributes) {
    const int depth = depth_++;
    if (failed_) return false;
    if (!isMarc(uri) || text_ != Text::None) return fail();
    if (recordDepth_ < 0) {
        if (is(name, "record")) {
            recordDepth_ = depth;
            leader_.clear();
            directory_.clear();
            data_.clear();
        } else if (!(depth == 0 && is(name, "collection"))) {
            return fail();
        }
        return true;
    }
    if (depth == recordDepth_ + 2 && is(name, "subfield")) {
        data_ += kMarcSubfieldDelimiter;
        if (!appendOne(attributeCount, attributes, "code", data_)) return fail();
        text_ = Text::Subfield;
    } else if (depth == recordDepth_ + 1) {
        // Most common first.
        if (is(name, "datafield")) {
            startField(attributeCount, attributes);
            if (!appendOne(attributeCount, attributes, "ind1", data_) ||
                !appendOne(attributeCount, attributes, "ind2", data_))
                return fail();
        } else if (is(name, "controlfield")) {
            startField(attributeCount, attributes);
            text_ = Text::Control;
        } else if (is(name, "leader")) {
            text_ = Text::Leader;
        } else {
            return fail();
        }
    } else {
        return fail();
    }
    return true;
}

bool MarcXmlSaxReader::end(const xmlChar* name) {
    const int depth = --depth_;
    if (failed_) return false;
    text_ = Text::None;
    if (recordDepth_ < 0) return true;
    if (depth == recordDepth_) {
        recordDepth_ = -1;
        if (!endRecord()) return fail();
    } else if (depth == recordDepth_ + 1 && !is(name, "leader")) {
        if (!endField()) return fail();
    }
    return true;
}

void MarcXmlSaxReader::characters(const xmlChar* text, int length) {
    if (failed_ || text_ == Text::None) return;
    (text_ == Text::Leader ? leader_ : data_)
        .append(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
}

MarcXmlSaxResult readMarcXmlSax(const std::string& xml) {
    MarcXmlSaxReader reader;
    const xmlSAXHandler handler = saxHandler(onStart, onEnd, onCharacters);
    MarcXmlSaxResult result;
    const bool whole = saxParse(xml, handler, &reader);
    result.ok = whole && !reader.failed() && !reader.records().empty();
    if (result.ok) result.records = std::move(reader.records());
    return result;
}
